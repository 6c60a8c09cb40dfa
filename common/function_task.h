// A CEF task that runs a function, for posting work to CEF's threads.
#ifndef ZUBRIX_COMMON_FUNCTION_TASK_H_
#define ZUBRIX_COMMON_FUNCTION_TASK_H_

#include <functional>
#include <utility>

#include "include/cef_task.h"

namespace zubrix {

class FunctionTask : public CefTask {
 public:
  explicit FunctionTask(std::function<void()> function)
      : function_(std::move(function)) {}

  void Execute() override { function_(); }

 private:
  std::function<void()> function_;
  IMPLEMENT_REFCOUNTING(FunctionTask);
};

inline bool PostToUiThread(std::function<void()> function) {
  return CefPostTask(TID_UI, new FunctionTask(std::move(function)));
}

}  // namespace zubrix

#endif  // ZUBRIX_COMMON_FUNCTION_TASK_H_
