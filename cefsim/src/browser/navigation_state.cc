#include "cefsim/src/browser/navigation_state.h"

namespace cefsim {
namespace {

int TransitionFor(NavigationRequestMessage::Action action, bool main_frame) {
  switch (action) {
    case NavigationRequestMessage::kBack:
    case NavigationRequestMessage::kForward:
      return TT_EXPLICIT | TT_FORWARD_BACK_FLAG;
    case NavigationRequestMessage::kReload:
    case NavigationRequestMessage::kReloadIgnoreCache:
      return TT_RELOAD;
    default:
      return main_frame ? TT_EXPLICIT : TT_MANUAL_SUBFRAME;
  }
}

}  // namespace

bool NavigationState::Plan(NavigationRequestMessage::Action action,
                           bool main_frame, const std::u16string& url,
                           const std::u16string& frame_url,
                           PlannedNavigation* out) const {
  PlannedNavigation plan;
  plan.transition_type = TransitionFor(action, main_frame);
  switch (action) {
    case NavigationRequestMessage::kBack:
    case NavigationRequestMessage::kForward:
      // Only the main frame has a history.
      if (!main_frame)
        return false;
      plan.history_index =
          history_.IndexAt(action == NavigationRequestMessage::kBack ? -1 : 1);
      if (plan.history_index < 0)
        return false;
      plan.url = history_.UrlAt(plan.history_index);
      break;
    case NavigationRequestMessage::kReload:
    case NavigationRequestMessage::kReloadIgnoreCache:
      plan.url = frame_url;
      break;
    case NavigationRequestMessage::kLoadUrl:
      plan.url = url;
      break;
    default:
      return false;
  }
  if (plan.url.empty())
    return false;
  *out = plan;
  return true;
}

int NavigationState::Begin(int64 frame, bool main_frame,
                           const PlannedNavigation& plan) {
  int id = next_navigation_id_++;
  if (main_frame)
    outstanding_.clear();
  outstanding_[frame] = id;
  if (plan.history_index >= 0)
    history_moves_[id] = plan.history_index;
  return id;
}

bool NavigationState::LoadStarted(int64 frame, bool main_frame,
                                  int navigation_id, int transition_type,
                                  const std::u16string& url) {
  auto wanted = outstanding_.find(frame);
  if (navigation_id != 0 &&
      (wanted == outstanding_.end() || wanted->second != navigation_id))
    return false;
  started_[frame] = navigation_id;
  if (main_frame && transition_type != TT_RELOAD)
    MoveInHistory(navigation_id, url);
  return true;
}

void NavigationState::MoveInHistory(int navigation_id,
                                    const std::u16string& url) {
  auto move = history_moves_.find(navigation_id);
  if (move != history_moves_.end()) {
    history_.MoveTo(move->second);
    history_moves_.erase(move);
  } else {
    history_.Push(url);
  }
}

bool NavigationState::SameDocumentCommitted(int64 frame, bool main_frame,
                                            int navigation_id,
                                            const std::u16string& url) {
  if (navigation_id != 0) {
    auto wanted = outstanding_.find(frame);
    if (wanted == outstanding_.end() || wanted->second != navigation_id)
      return false;
    outstanding_.erase(wanted);
  }
  if (main_frame)
    MoveInHistory(navigation_id, url);
  return true;
}

bool NavigationState::LoadEnded(int64 frame, int navigation_id) {
  auto started = started_.find(frame);
  if (started == started_.end() || started->second != navigation_id)
    return false;
  auto wanted = outstanding_.find(frame);
  if (wanted != outstanding_.end() && wanted->second == navigation_id)
    outstanding_.erase(wanted);
  return true;
}

void NavigationState::LoadFailed(int64 frame, int navigation_id) {
  auto wanted = outstanding_.find(frame);
  if (wanted != outstanding_.end() && wanted->second == navigation_id)
    outstanding_.erase(wanted);
  history_moves_.erase(navigation_id);
}

void NavigationState::ForgetFrame(int64 frame) {
  outstanding_.erase(frame);
  started_.erase(frame);
}

void NavigationState::Reset() {
  outstanding_.clear();
  started_.clear();
  history_moves_.clear();
}

}  // namespace cefsim
