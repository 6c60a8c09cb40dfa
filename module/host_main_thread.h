// The host's main thread as the module knows it: the thread that imported
// the module, which a host does on its main thread before it starts CEF
// there. Calls that fix thread affinities (Initialize makes the bridge that
// the host's event loop serves) or that call CEF and Win32 as the main thread
// (Shutdown, the browser's methods) check that they run on it.
#ifndef ZUBRIX_MODULE_HOST_MAIN_THREAD_H_
#define ZUBRIX_MODULE_HOST_MAIN_THREAD_H_

#include "include/base/cef_logging.h"

namespace zubrix {

// Once, from the module's import, holding the interpreter lock.
void RememberHostMainThread();
// Whether the caller runs on the thread that imported the module. Holding
// the interpreter lock, which orders it after RememberHostMainThread.
bool OnHostMainThread();

}  // namespace zubrix

// As cefclient's REQUIRE_MAIN_THREAD: a DCHECK, so it stops debug and
// sanitizer builds at the misuse; an optimised build compiles it out and the
// call goes on as if made from the main thread.
#define REQUIRE_HOST_MAIN_THREAD() DCHECK(zubrix::OnHostMainThread())

#endif  // ZUBRIX_MODULE_HOST_MAIN_THREAD_H_
