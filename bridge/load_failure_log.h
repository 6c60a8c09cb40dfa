// The warnings about pages and resources that failed to load, at most one
// per URL per second, so that a page that retries cannot flood the log.
#ifndef ZUBRIX_BRIDGE_LOAD_FAILURE_LOG_H_
#define ZUBRIX_BRIDGE_LOAD_FAILURE_LOG_H_

#include <chrono>
#include <map>
#include <string>

namespace zubrix {

// The host's main thread's alone.
class LoadFailureLog {
 public:
  using Clock = std::chrono::steady_clock;

  LoadFailureLog() = default;
  LoadFailureLog(const LoadFailureLog&) = delete;
  LoadFailureLog& operator=(const LoadFailureLog&) = delete;

  // True, remembering |now|, when |url| had no warning in the second before
  // |now|.
  bool Admit(const std::string& url, Clock::time_point now);
  // "cannot load <url>: <reason>" as a WARNING on the "zubrix_cef" logger,
  // when Admit lets it through. Needs the interpreter lock.
  void Log(const std::string& url, const std::string& reason);

 private:
  std::map<std::string, Clock::time_point> last_warned_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_LOAD_FAILURE_LOG_H_
