// What each browser window's placeholder shows, kept up to date by the
// browser process's threads and read by the painter. Thread-safe.
#ifndef CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_BOARD_H_
#define CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_BOARD_H_

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cefsim/src/placeholder/placeholder_text.h"
#include "platform/win32_window.h"

namespace cefsim {

class PlaceholderBoard {
 public:
  // The console lines kept per browser.
  static constexpr size_t kConsoleLines = 50;

  // What was last painted into a browser's window, heading first, in UTF-8,
  // and how many times it was painted.
  struct Painted {
    std::vector<std::string> lines;
    int paints = 0;
  };

  // Runs after each change, with the board's lock held: it must only wake
  // the painter. Empty: nobody is woken.
  void SetWakeup(std::function<void()> wakeup);

  // A browser's window gets a placeholder. |url| is the one it was asked to
  // load; |inspected_browser_id| is set for a developer-tools window.
  void Open(int browser_id, HWND window, const std::string& url,
            int inspected_browser_id);
  // Changes to a browser without a placeholder are dropped.
  void SetUrl(int browser_id, const std::string& url);
  void SetTitle(int browser_id, const std::string& title);
  void SetLoading(int browser_id, bool loading);
  void AddConsoleLine(int browser_id, const std::string& line);

  // For the painter: windows opened, and windows whose text changed, since
  // the last call.
  struct Changes {
    std::vector<HWND> opened;
    std::vector<HWND> changed;
  };
  Changes TakeChanges();
  std::optional<PlaceholderState> StateOf(HWND window);
  void RecordPainted(HWND window, const PlaceholderText& text);
  // The window is gone.
  void Forget(HWND window);
  void Clear();

  std::optional<Painted> PaintedFor(int browser_id);

 private:
  struct Entry {
    HWND window = nullptr;
    int inspected_browser_id = 0;
    std::string url;
    std::string title;
    bool loading = false;
    std::deque<std::string> console;
    size_t console_total = 0;
    Painted painted;
  };

  // With the lock held: |browser_id|'s entry, marked changed along with the
  // developer tools that show its URL, or null.
  Entry* Change(int browser_id);
  Entry* EntryOf(HWND window);

  std::mutex mutex_;
  std::function<void()> wakeup_;
  std::map<int, Entry> entries_;
  std::vector<int> opened_;
  std::set<int> changed_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_BOARD_H_
