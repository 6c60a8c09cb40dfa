#include "test_support/cef_thread.h"

#include <future>

#include "common/function_task.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "include/cef_task.h"

namespace test_support {

void RunOnCefThread(cef_thread_id_t id, const std::function<void()>& body) {
  if (CefCurrentlyOn(id)) {
    body();
    return;
  }
  cefsim_inspect::StartThread(id);
  std::promise<void> done;
  CefPostTask(id, new zubrix::FunctionTask([&body, &done]() {
                body();
                done.set_value();
              }));
  done.get_future().get();
}

}  // namespace test_support
