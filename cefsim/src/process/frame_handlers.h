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

// Called on the browser process's reader thread of |host|.
using BrowserFrameHandler =
    std::function<void(const std::shared_ptr<RenderProcessHost>& host,
                       const std::string& payload)>;
// Called on the render process's channel reader thread.
using RendererFrameHandler = std::function<void(const std::string& payload)>;

void SetBrowserFrameHandler(uint32_t kind, BrowserFrameHandler handler);
void SetRendererFrameHandler(uint32_t kind, RendererFrameHandler handler);

// False for a kind nobody handles; the caller treats the peer as broken.
bool DispatchBrowserFrame(uint32_t kind,
                          const std::shared_ptr<RenderProcessHost>& host,
                          const std::string& payload);
bool DispatchRendererFrame(uint32_t kind, const std::string& payload);

}  // namespace cefsim

#endif  // CEFSIM_SRC_PROCESS_FRAME_HANDLERS_H_
