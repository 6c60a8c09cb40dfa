#include "cefsim/src/browser/navigation_history.h"

namespace cefsim {

int NavigationHistory::IndexAt(int offset) const {
  int index = current_ + offset;
  return index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
}

void NavigationHistory::Push(const std::u16string& url) {
  entries_.resize(current_ + 1);
  entries_.push_back(url);
  current_ = static_cast<int>(entries_.size()) - 1;
}

void NavigationHistory::MoveTo(int index) {
  if (index >= 0 && index < static_cast<int>(entries_.size()))
    current_ = index;
}

}  // namespace cefsim
