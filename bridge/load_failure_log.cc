#include "bridge/load_failure_log.h"

#include <Python.h>

#include "bridge/python_logging.h"

namespace zubrix {
namespace {

const std::chrono::seconds kQuietTime(1);
// Past this many URLs, those quiet for long enough are forgotten, so that a
// page asking for ever new URLs cannot grow the map without end.
const size_t kUrlsBeforePruning = 256;

}  // namespace

bool LoadFailureLog::Admit(const std::string& url, Clock::time_point now) {
  if (last_warned_.size() >= kUrlsBeforePruning) {
    for (auto it = last_warned_.begin(); it != last_warned_.end();) {
      if (now - it->second >= kQuietTime)
        it = last_warned_.erase(it);
      else
        ++it;
    }
  }
  auto found = last_warned_.find(url);
  if (found != last_warned_.end() && now - found->second < kQuietTime)
    return false;
  last_warned_[url] = now;
  return true;
}

void LoadFailureLog::Log(const std::string& url, const std::string& reason) {
  if (!Admit(url, Clock::now()))
    return;
  PyObject* logger = GetPythonLogger("zubrix_cef");
  if (!logger)
    return;
  LogTexts(logger, kPythonLogWarning, "cannot load %s: %s", url, reason);
  Py_DECREF(logger);
}

}  // namespace zubrix
