// The JavaScript side of one render-side frame: the script context of its
// current document, and what that context asks of the frame. Render thread
// only.
#ifndef CEFSIM_SRC_RENDER_FRAME_SCRIPTS_H_
#define CEFSIM_SRC_RENDER_FRAME_SCRIPTS_H_

#include <memory>

#include "include/cef_v8.h"
#include "cefsim/src/v8/script_context.h"
#include "cefsim/src/v8/script_host.h"

namespace cefsim {

class RenderFrameImpl;

class FrameScripts : public ScriptHost {
 public:
  // |frame| owns this.
  explicit FrameScripts(RenderFrameImpl* frame);
  FrameScripts(const FrameScripts&) = delete;
  FrameScripts& operator=(const FrameScripts&) = delete;

  // A new document gets a fresh context; the old one's is released first.
  // |title| is the document's own.
  void StartDocument(const CefString& title);
  // The current document's context; a frame that has not had a document
  // yet gets one for its initial empty document, as in Chromium. Null
  // while the context is being made.
  CefRefPtr<CefV8Context> Context();
  // Runs |code| in the current context; what it throws goes to the console.
  void Run(const CefString& code, const CefString& script_url,
           int start_line);
  // The render-process handler hears of the release while the context is
  // still valid; then it ends.
  void Release();

  // ScriptHost:
  void AddConsoleMessage(const CefString& message, const CefString& source,
                         int line) override;
  void PostDelayedTask(std::function<void()> task, int64_t delay_ms) override;
  CefString GetUrl() override;
  void Navigate(const CefString& url) override;
  void OnTitleChange(const CefString& title) override;
  void CloseWindow() override;

 private:
  void Create(const CefString& title);
  // The browser process shows the main frame's title in the window's
  // placeholder.
  void ReportTitle(const CefString& title);

  RenderFrameImpl* const frame_;
  std::unique_ptr<ScriptContext> script_;
  // An extension that reaches for the frame's context while the context is
  // being made finds none, rather than making another.
  bool creating_ = false;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_FRAME_SCRIPTS_H_
