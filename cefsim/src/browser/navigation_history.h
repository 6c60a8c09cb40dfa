// A browser's back-forward list of main-frame documents. Owned by the
// browser's UI-thread state; not thread-safe by itself.
#ifndef CEFSIM_SRC_BROWSER_NAVIGATION_HISTORY_H_
#define CEFSIM_SRC_BROWSER_NAVIGATION_HISTORY_H_

#include <string>
#include <vector>

namespace cefsim {

class NavigationHistory {
 public:
  bool CanGoBack() const { return current_ > 0; }
  bool CanGoForward() const {
    return current_ + 1 < static_cast<int>(entries_.size());
  }
  int length() const { return static_cast<int>(entries_.size()); }
  // The entry |offset| steps from the current one, or -1 if none.
  int IndexAt(int offset) const;
  const std::u16string& UrlAt(int index) const { return entries_[index]; }

  // A new document replaces everything after the current entry.
  void Push(const std::u16string& url);
  void MoveTo(int index);

 private:
  std::vector<std::u16string> entries_;
  int current_ = -1;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_NAVIGATION_HISTORY_H_
