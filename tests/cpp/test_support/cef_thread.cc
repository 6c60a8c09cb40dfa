#include "test_support/cef_thread.h"

#include <future>

#include "cefsim/src/threads/named_threads.h"

namespace test_support {

void RunOnCefThread(cef_thread_id_t id, const std::function<void()>& body) {
  if (cefsim::CurrentlyOnNamedThread(id)) {
    body();
    return;
  }
  cefsim::StartNamedThread(id);
  std::promise<void> done;
  cefsim::PostToNamedThread(id, [&body, &done]() {
    body();
    done.set_value();
  });
  done.get_future().get();
}

}  // namespace test_support
