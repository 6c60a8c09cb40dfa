// Each browser's start-up code, kept from its creation on the host's main
// thread until CEF's UI thread hands it to the page.
#ifndef ZUBRIX_BRIDGE_STARTUP_CODE_STORE_H_
#define ZUBRIX_BRIDGE_STARTUP_CODE_STORE_H_

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace zubrix {

// Callable from any thread. The lock guards only the map: it is never held
// while calling out, so it cannot meet the interpreter lock.
class StartupCodeStore {
 public:
  StartupCodeStore() = default;
  StartupCodeStore(const StartupCodeStore&) = delete;
  StartupCodeStore& operator=(const StartupCodeStore&) = delete;

  // UTF-8, kept byte for byte; replaces the browser's earlier code.
  void Set(uint32_t browser_id, const std::string& code);
  // Copies the browser's code into |code| and returns true, or returns false
  // and leaves |code| untouched when there is none.
  bool Get(uint32_t browser_id, std::string* code) const;
  void Remove(uint32_t browser_id);

 private:
  std::map<uint32_t, std::string> codes_;
  mutable std::mutex mutex_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_STARTUP_CODE_STORE_H_
