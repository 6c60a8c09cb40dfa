// The browser process's painter thread: it keeps every browser window's
// placeholder drawn, repainting a window when the server exposes it and when
// its text changes. It has an X connection of its own and never blocks
// another thread; a window that goes away, however, is simply forgotten.
#ifndef CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_PAINTER_H_
#define CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_PAINTER_H_

#include <atomic>
#include <mutex>
#include <thread>

#include "cefsim/src/placeholder/placeholder_board.h"

namespace cefsim {

class PlaceholderPainter {
 public:
  explicit PlaceholderPainter(PlaceholderBoard* board);
  ~PlaceholderPainter();
  PlaceholderPainter(const PlaceholderPainter&) = delete;
  PlaceholderPainter& operator=(const PlaceholderPainter&) = delete;

  // Starts the thread unless it runs.
  void Start();
  // Ends the thread and waits for it; the board no longer wakes it.
  void Stop();

 private:
  void Run();

  PlaceholderBoard* const board_;
  std::mutex mutex_;  // Serialises Start and Stop.
  std::thread thread_;
  // A pipe whose reading end the thread polls beside its X connection.
  int wake_read_ = -1;
  int wake_write_ = -1;
  std::atomic<bool> stopping_{false};
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_PAINTER_H_
