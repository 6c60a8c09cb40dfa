// Keeps what libcef reports of its running (settings, processes, console
// lines) for the queries of cefsim_inspect.h. Linked into a test or _cefsim,
// it registers itself as the process starts (or as _cefsim is imported), so
// it hears CefInitialize of a host that imports _cefsim first.
#include <mutex>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/src/runtime/runtime_observer.h"

namespace cefsim_inspect {
namespace {

class Recorder : public cefsim::RuntimeObserver {
 public:
  void OnInitialize(const CefSettings& settings) override {
    std::lock_guard<std::mutex> lock(mutex_);
    last_settings_ = settings;
    ++initialize_count_;
  }

  void OnProcessSeen(int pid, const std::string& type,
                     const std::vector<std::string>& argv) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ProcessRecord record{pid, type, argv, true};
    for (auto& existing : processes_) {
      if (existing.pid == pid) {
        existing = record;
        return;
      }
    }
    processes_.push_back(record);
  }

  void OnProcessExited(int pid) override {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& existing : processes_) {
      if (existing.pid == pid)
        existing.alive = false;
    }
  }

  void OnConsoleMessage(int browser_id, const std::string& frame_url,
                        const std::string& message, const std::string& source,
                        int line) override {
    std::lock_guard<std::mutex> lock(mutex_);
    console_.push_back({browser_id, frame_url, message, source, line});
  }

  bool LastSettings(CefSettings* settings) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (initialize_count_ == 0)
      return false;
    *settings = last_settings_;
    return true;
  }

  int InitializeCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return initialize_count_;
  }

  std::vector<ProcessRecord> Processes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return processes_;
  }

  std::vector<ConsoleRecord> ConsoleMessages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return console_;
  }

 private:
  std::mutex mutex_;
  CefSettings last_settings_;
  int initialize_count_ = 0;
  std::vector<ProcessRecord> processes_;
  std::vector<ConsoleRecord> console_;
};

// Never destroyed: libcef's threads may report until the process ends.
Recorder& TheRecorder() {
  static auto* recorder = new Recorder();
  return *recorder;
}

const bool registered =
    (cefsim::SetRuntimeObserver(&TheRecorder()), true);

}  // namespace

bool LastSettings(CefSettings* settings) {
  return TheRecorder().LastSettings(settings);
}

int InitializeCount() {
  return TheRecorder().InitializeCount();
}

std::vector<ProcessRecord> Processes() {
  return TheRecorder().Processes();
}

std::vector<ConsoleRecord> ConsoleMessages() {
  return TheRecorder().ConsoleMessages();
}

}  // namespace cefsim_inspect
