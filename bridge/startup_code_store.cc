#include "bridge/startup_code_store.h"

namespace zubrix {

void StartupCodeStore::Set(uint32_t browser_id, const std::string& code) {
  std::lock_guard<std::mutex> lock(mutex_);
  codes_[browser_id] = code;
}

bool StartupCodeStore::Get(uint32_t browser_id, std::string* code) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto entry = codes_.find(browser_id);
  if (entry == codes_.end())
    return false;
  *code = entry->second;
  return true;
}

void StartupCodeStore::Remove(uint32_t browser_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  codes_.erase(browser_id);
}

}  // namespace zubrix
