// Named threads for tests that run code of the system without a browser.
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim_inspect {

void StartThread(cef_thread_id_t id) {
  cefsim::StartNamedThread(id);
}

void StopThread(cef_thread_id_t id) {
  cefsim::StopNamedThread(id);
}

}  // namespace cefsim_inspect
