// What a browser knows of its navigations: the back-forward list, the
// navigation each frame was last asked for, and which load the client last
// heard start per frame. The browser keeps one on its UI thread and touches
// it nowhere else; it is not thread-safe and needs no processes.
#ifndef CEFSIM_SRC_BROWSER_NAVIGATION_STATE_H_
#define CEFSIM_SRC_BROWSER_NAVIGATION_STATE_H_

#include <map>
#include <string>

#include "cefsim/src/browser/navigation_history.h"
#include "include/internal/cef_types.h"
#include "cefsim/src/ipc/page_messages.h"

namespace cefsim {

// A navigation worked out but not yet sent to the render process.
struct PlannedNavigation {
  std::u16string url;
  int transition_type = 0;
  // The history entry it moves to, or -1 for a new entry or a reload.
  int history_index = -1;
};

class NavigationState {
 public:
  // Where |action| leads a frame that shows |frame_url|; false when it
  // leads nowhere (no entry to go back to, nothing to reload, a stop).
  bool Plan(NavigationRequestMessage::Action action, bool main_frame,
            const std::u16string& url, const std::u16string& frame_url,
            PlannedNavigation* out) const;
  // |plan| has been sent for |frame|: its id, which supersedes the frame's
  // earlier navigation (every frame's, for the main frame).
  int Begin(int64 frame, bool main_frame, const PlannedNavigation& plan);

  // False for a load the browser has since replaced, which the client must
  // not hear of. Navigation id 0 is a load the document asked for itself.
  bool LoadStarted(int64 frame, bool main_frame, int navigation_id,
                   int transition_type, const std::u16string& url);
  // False for a load whose start went unreported.
  bool LoadEnded(int64 frame, int navigation_id);
  void LoadFailed(int64 frame, int navigation_id);
  // The frame moved within its document, which adds a history entry as a
  // load does; nothing loads for it. False for a navigation the browser has
  // since replaced.
  bool SameDocumentCommitted(int64 frame, bool main_frame, int navigation_id,
                             const std::u16string& url);

  // The frame has gone; its navigations are of no further interest.
  void ForgetFrame(int64 frame);
  // The render process has gone or the browser closed: nothing is loading.
  // The history stays.
  void Reset();

  // Whether a navigation the browser asked for has not ended yet.
  bool loading() const { return !outstanding_.empty(); }
  bool CanGoBack() const { return history_.CanGoBack(); }
  bool CanGoForward() const { return history_.CanGoForward(); }
  int history_length() const { return history_.length(); }

 private:
  // To the entry a back or forward navigation wanted, or to a new one.
  void MoveInHistory(int navigation_id, const std::u16string& url);

  NavigationHistory history_;
  int next_navigation_id_ = 1;
  // Per frame, the navigation the browser last asked for and has not seen
  // end.
  std::map<int64, int> outstanding_;
  // Per frame, the navigation whose load start the client heard last.
  std::map<int64, int> started_;
  // Main-frame navigations that move in the history, by navigation id.
  std::map<int, int> history_moves_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_NAVIGATION_STATE_H_
