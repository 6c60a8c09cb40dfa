// A browser as its render process sees it. Lives on the render thread, as
// every render-side object does; only SendProcessMessage may be called from
// elsewhere.
#ifndef CEFSIM_SRC_RENDER_RENDER_BROWSER_IMPL_H_
#define CEFSIM_SRC_RENDER_RENDER_BROWSER_IMPL_H_

#include <vector>

#include "include/cef_browser.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/render/render_frame_impl.h"

namespace cefsim {

class RenderBrowserImpl : public CefBrowser {
 public:
  RenderBrowserImpl(int id, int64 main_frame_id, bool is_devtools,
                    const std::string& default_encoding);

  // What documents without a byte-order mark or a charset are read as.
  const std::string& default_encoding() const { return default_encoding_; }
  // Render thread.
  CefRefPtr<RenderFrameImpl> main_frame() { return main_frame_; }
  CefRefPtr<RenderFrameImpl> FindFrame(int64 identifier);
  CefRefPtr<RenderFrameImpl> AddSubFrame(CefRefPtr<RenderFrameImpl> parent,
                                         const CefString& name);
  // Drops |frame|'s sub-frames, deepest first, releasing their contexts.
  void DetachChildren(CefRefPtr<RenderFrameImpl> frame);
  // The browser goes away with its process: every frame is detached,
  // sub-frames first, and the handler hears OnBrowserDestroyed. The browser
  // object stays valid, with a detached main frame.
  void Destroy();
  // Frames whose load has not ended; for stopping them.
  std::vector<CefRefPtr<RenderFrameImpl>> Frames() { return frames_; }
  // Asks the browser process for a navigation of |frame|.
  void RequestNavigation(int64 frame_id,
                         NavigationRequestMessage::Action action,
                         const CefString& url);

  // CefBrowser:
  CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
  // The back-forward list lives in the browser process.
  bool CanGoBack() override { return false; }
  void GoBack() override;
  bool CanGoForward() override { return false; }
  void GoForward() override;
  bool IsLoading() override;
  void Reload() override;
  void ReloadIgnoreCache() override;
  void StopLoad() override;
  int GetIdentifier() override { return id_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override;
  bool IsPopup() override { return is_devtools_; }
  bool HasDocument() override;
  CefRefPtr<CefFrame> GetMainFrame() override { return main_frame_.get(); }
  CefRefPtr<CefFrame> GetFocusedFrame() override { return main_frame_.get(); }
  CefRefPtr<CefFrame> GetFrame(int64 identifier) override;
  CefRefPtr<CefFrame> GetFrame(const CefString& name) override;
  size_t GetFrameCount() override { return frames_.size(); }
  void GetFrameIdentifiers(std::vector<int64>& identifiers) override;
  void GetFrameNames(std::vector<CefString>& names) override;
  bool SendProcessMessage(CefProcessId target_process,
                          CefRefPtr<CefProcessMessage> message) override;

 private:
  const int id_;
  const bool is_devtools_;
  const std::string default_encoding_;
  CefRefPtr<RenderFrameImpl> main_frame_;
  std::vector<CefRefPtr<RenderFrameImpl>> frames_;  // Main frame first.
  int64 next_sub_frame_id_;

  IMPLEMENT_REFCOUNTING(RenderBrowserImpl);
};

// The browsers of this render process, by identifier. Render thread.
void AddRenderBrowser(CefRefPtr<RenderBrowserImpl> browser);
CefRefPtr<RenderBrowserImpl> FindRenderBrowser(int id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_RENDER_BROWSER_IMPL_H_
