// A frame as the browser process sees it: a mirror of the render process's
// frame, kept up to date from its load reports on the UI thread.
#ifndef CEFSIM_SRC_BROWSER_FRAME_HOST_IMPL_H_
#define CEFSIM_SRC_BROWSER_FRAME_HOST_IMPL_H_

#include <mutex>

#include "include/cef_frame.h"

namespace cefsim {

class BrowserHostImpl;

// CefFrameHostImpl::kInvalidFrameId: the identifier of a placeholder frame.
constexpr int64 kInvalidFrameIdentifier = -4;

class FrameHostImpl : public CefFrame {
 public:
  FrameHostImpl(CefRefPtr<BrowserHostImpl> browser, int64 identifier,
                int64 parent_identifier);

  int64 parent_identifier() const { return parent_identifier_; }
  // UI thread.
  void SetDocument(const CefString& name, const CefString& url);
  void Invalidate();

  // CefFrame:
  bool IsValid() override;
  // The stand-in has no editing or view-source; these change nothing.
  void Undo() override {}
  void Redo() override {}
  void Cut() override {}
  void Copy() override {}
  void Paste() override {}
  void Delete() override {}
  void SelectAll() override {}
  void ViewSource() override {}
  void LoadURL(const CefString& url) override;
  void ExecuteJavaScript(const CefString& code, const CefString& script_url,
                         int start_line) override;
  bool IsMain() override { return parent_identifier_ == 0; }
  bool IsFocused() override { return IsMain(); }
  CefString GetName() override;
  int64 GetIdentifier() override { return identifier_; }
  CefRefPtr<CefFrame> GetParent() override;
  CefString GetURL() override;
  CefRefPtr<CefBrowser> GetBrowser() override;
  CefRefPtr<CefV8Context> GetV8Context() override;

 private:
  const CefRefPtr<BrowserHostImpl> browser_;
  const int64 identifier_;
  const int64 parent_identifier_;

  std::mutex mutex_;
  bool valid_ = true;
  CefString name_;
  CefString url_;

  IMPLEMENT_REFCOUNTING(FrameHostImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_FRAME_HOST_IMPL_H_
