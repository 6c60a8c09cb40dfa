// The render process's main loop.
#ifndef CEFSIM_SRC_PROCESS_RENDER_PROCESS_MAIN_H_
#define CEFSIM_SRC_PROCESS_RENDER_PROCESS_MAIN_H_

#include "cefsim/src/command_line/command_line_impl.h"
#include "include/cef_app.h"
#include "cefsim/src/ipc/frame_outbox.h"

namespace cefsim {

// Runs until the browser process closes the channel; returns the exit code.
int RunRenderProcess(CefRefPtr<CefApp> application,
                     CefRefPtr<CommandLineImpl> command_line);

// The render process's application hooks and the outbox of its channel, for
// the parts of the stand-in that run there. Null outside a render process.
CefRefPtr<CefRenderProcessHandler> RenderProcessHandler();
FrameOutbox* RenderProcessChannel();

// |teardown| runs on the render thread once the browser process has closed
// the channel, while the thread still runs: render-side objects let go of
// what lives on it. Set once, during static initialisation.
void SetRenderProcessTeardown(void (*teardown)());

}  // namespace cefsim

#endif  // CEFSIM_SRC_PROCESS_RENDER_PROCESS_MAIN_H_
