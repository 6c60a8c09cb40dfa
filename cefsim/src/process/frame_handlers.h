// Who handles each kind of frame, on either side of the channel. Parts of
// the stand-in register their kinds once, before any process starts.
#ifndef CEFSIM_SRC_PROCESS_FRAME_HANDLERS_H_
#define CEFSIM_SRC_PROCESS_FRAME_HANDLERS_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace cefsim {

class RenderProcessHost;

// Called on the browser process's IO thread, which takes in what render
// processes send, as Chromium's does: a resource handler that holds the IO
// thread up holds up every browser's messages. On the calling thread when
// no IO thread runs.
using BrowserFrameHandler =
    std::function<void(const std::shared_ptr<RenderProcessHost>& host,
                       const std::string& payload)>;
// Called on the render process's channel reader thread.
using RendererFrameHandler = std::function<void(const std::string& payload)>;

void SetBrowserFrameHandler(uint32_t kind, BrowserFrameHandler handler);
void SetRendererFrameHandler(uint32_t kind, RendererFrameHandler handler);

// False for a kind nobody handles; the caller treats the peer as broken.
// A browser frame is handled on the IO thread: at once when called there,
// else handed to it; frames keep their order.
bool DispatchBrowserFrame(uint32_t kind,
                          const std::shared_ptr<RenderProcessHost>& host,
                          const std::string& payload);
bool DispatchRendererFrame(uint32_t kind, const std::string& payload);

}  // namespace cefsim

#endif  // CEFSIM_SRC_PROCESS_FRAME_HANDLERS_H_
