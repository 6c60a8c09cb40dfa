// Serves what a render process asks for, on the browser process's IO
// thread: data: and file: URLs (these read in the blocking pool), the
// developer-tools page, and through the loader whatever registered scheme
// handler factories serve.
#ifndef CEFSIM_SRC_BROWSER_RESOURCE_SERVER_H_
#define CEFSIM_SRC_BROWSER_RESOURCE_SERVER_H_

#include <functional>

#include "cefsim/src/browser/browser_host_impl.h"
#include "cefsim/src/ipc/page_messages.h"

namespace cefsim {

// Sends a frame to the render process that asked.
using ResourceAhead = std::function<void(uint32_t kind, std::string payload)>;
using ResourceDone = std::function<void(const ResourceResponseMessage&)>;

// IO thread. A large body goes to |ahead| as it comes, after the response's
// head and ahead of the response, a few pieces ahead of what render process
// |process_id| says it took in (BodyPieceTakenIn). |done| runs exactly
// once, on the IO thread, perhaps later (a file: read still under way when
// CEF shuts down is skipped, and with it its |done|).
void ServeResource(CefRefPtr<BrowserHostImpl> browser, int process_id,
                   const ResourceRequestMessage& request, ResourceAhead ahead,
                   ResourceDone done);

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_RESOURCE_SERVER_H_
