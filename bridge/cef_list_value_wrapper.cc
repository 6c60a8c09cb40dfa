#include "bridge/cef_list_value_wrapper.h"

#include <mutex>

namespace zubrix {
namespace {

std::mutex& HandOverLock() {
  static std::mutex* lock = new std::mutex;  // Outlives static teardown.
  return *lock;
}

}  // namespace

CefListValueWrapper::CefListValueWrapper(const CefListValueWrapper& other) {
  std::lock_guard<std::mutex> lock(HandOverLock());
  list = other.list;
}

CefListValueWrapper& CefListValueWrapper::operator=(
    const CefListValueWrapper& other) {
  if (this != &other) {
    std::lock_guard<std::mutex> lock(HandOverLock());
    list = other.list;
  }
  return *this;
}

}  // namespace zubrix
