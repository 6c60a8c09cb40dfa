// A frame in its render process: its document, its current load and its
// JavaScript. Render thread only.
#ifndef CEFSIM_SRC_RENDER_RENDER_FRAME_IMPL_H_
#define CEFSIM_SRC_RENDER_RENDER_FRAME_IMPL_H_

#include <memory>

#include "include/cef_frame.h"
#include "cefsim/src/render/frame_scripts.h"

namespace cefsim {

class FrameLoad;
class RenderBrowserImpl;

class RenderFrameImpl : public CefFrame {
 public:
  RenderFrameImpl(CefRefPtr<RenderBrowserImpl> browser, int64 identifier,
                  int64 parent_identifier, const CefString& name);

  RenderBrowserImpl* browser() { return browser_.get(); }
  int64 parent_identifier() const { return parent_identifier_; }

  // Starts loading |url|, replacing any load in progress; a move to another
  // fragment of the document, unless a reload, loads nothing.
  void StartLoad(const CefString& url, int navigation_id, int transition,
                 std::weak_ptr<FrameLoad> parent_load);
  std::shared_ptr<FrameLoad> current_load() { return load_; }
  // Moves the document to |url| when Blink would keep the document for it,
  // and tells the browser; false, having done nothing, otherwise.
  bool NavigateWithinDocument(const CefString& url, int navigation_id);
  FrameScripts& scripts() { return scripts_; }
  // The load has its document: the frame shows it from now on, with a new
  // script context.
  void CommitDocument(const CefString& url, const CefString& title);
  // The frame's document went away with its parent's, and its context
  // with it.
  void Detach();

  // CefFrame:
  bool IsValid() override { return valid_; }
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
  CefString GetName() override { return name_; }
  int64 GetIdentifier() override { return identifier_; }
  CefRefPtr<CefFrame> GetParent() override;
  CefString GetURL() override { return url_; }
  CefRefPtr<CefBrowser> GetBrowser() override;
  CefRefPtr<CefV8Context> GetV8Context() override;

 private:
  const CefRefPtr<RenderBrowserImpl> browser_;
  const int64 identifier_;
  const int64 parent_identifier_;
  const CefString name_;
  CefString url_;
  bool valid_ = true;
  std::shared_ptr<FrameLoad> load_;
  // Its contexts hold the frame, so that a frame with a context lives until
  // Detach() releases it.
  FrameScripts scripts_{this};

  IMPLEMENT_REFCOUNTING(RenderFrameImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_RENDER_FRAME_IMPL_H_
