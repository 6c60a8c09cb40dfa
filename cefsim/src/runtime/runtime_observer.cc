#include "cefsim/src/runtime/runtime_observer.h"

#include <atomic>

namespace cefsim {
namespace {

std::atomic<RuntimeObserver*> g_observer{nullptr};

}  // namespace

void SetRuntimeObserver(RuntimeObserver* observer) {
  g_observer.store(observer, std::memory_order_release);
}

RuntimeObserver* CurrentRuntimeObserver() {
  return g_observer.load(std::memory_order_acquire);
}

}  // namespace cefsim
