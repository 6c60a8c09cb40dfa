// Where reads that may block run off CEF's named threads, as Chromium's
// blocking pool, which CEF hands its file: URL handler: a slow disk holds up
// neither the IO thread's messages nor the file thread's client reads.
#ifndef CEFSIM_SRC_FETCH_BLOCKING_POOL_H_
#define CEFSIM_SRC_FETCH_BLOCKING_POOL_H_

#include <functional>

namespace cefsim {

// Between CefInitialize and CefShutdown. Tasks still queued at the stop are
// skipped, as the pool's SKIP_ON_SHUTDOWN tasks are.
void StartBlockingPool();
void StopBlockingPool();

// False, and |task| dropped, when the pool does not run.
bool PostToBlockingPool(std::function<void()> task);

}  // namespace cefsim

#endif  // CEFSIM_SRC_FETCH_BLOCKING_POOL_H_
