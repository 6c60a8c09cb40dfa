// One load of a frame: fetch the document, report the load start, run the
// document's scripts in order, load its sub-frames, and report the end once
// they have all ended. Render thread.
#ifndef CEFSIM_SRC_RENDER_FRAME_LOAD_H_
#define CEFSIM_SRC_RENDER_FRAME_LOAD_H_

#include <memory>
#include <string>

#include "include/cef_frame.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/render/html_scanner.h"

namespace cefsim {

class RenderFrameImpl;

class FrameLoad : public std::enable_shared_from_this<FrameLoad> {
 public:
  FrameLoad(CefRefPtr<RenderFrameImpl> frame, int navigation_id,
            int transition, const std::u16string& url,
            std::weak_ptr<FrameLoad> parent);

  void Start();
  // Ends the load, and those of its sub-frames, with |error| unless it has
  // ended already.
  void Abort(cef_errorcode_t error);
  bool ended() const { return state_ == State::kEnded; }
  const std::weak_ptr<FrameLoad>& parent() const { return parent_; }

 private:
  enum class State { kFetching, kRunning, kEnded };

  bool Current();
  void OnDocument(ResourceResponseMessage response);
  void RunItems();
  void StartSubFrame(const DocumentItem& item);
  void OnScriptSource(const std::string& url,
                      ResourceResponseMessage response);
  void OnChildEnded();
  void EndIfDone();
  void Fail(cef_errorcode_t error);
  void NotifyParent();

  const CefRefPtr<RenderFrameImpl> frame_;
  const int navigation_id_;
  const int transition_;
  const std::u16string url_;
  const std::weak_ptr<FrameLoad> parent_;

  State state_ = State::kFetching;
  ScannedDocument document_;
  // What the document was decoded as; its scripts fall back to it.
  std::string document_encoding_;
  size_t next_item_ = 0;
  bool waiting_for_script_ = false;
  int open_children_ = 0;
  int http_status_ = 0;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_FRAME_LOAD_H_
