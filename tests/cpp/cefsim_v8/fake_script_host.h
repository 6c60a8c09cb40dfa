// A frame stand-in for script contexts run directly on the test thread: it
// records what the scripts asked for and runs their timers on demand.
#ifndef TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_
#define TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_v8.h"
#include "cefsim/src/v8/script_host.h"
#include "test_support/script_eval.h"

struct ConsoleMessage {
  std::string message;
  std::string source;
  int line;
};

class FakeScriptHost : public cefsim::ScriptHost {
 public:
  void AddConsoleMessage(const CefString& message, const CefString& source,
                         int line) override {
    console.push_back({message.ToString(), source.ToString(), line});
  }
  void PostDelayedTask(std::function<void()> task, int64_t delay_ms) override {
    tasks.emplace_back(std::move(task), delay_ms);
  }
  CefString GetUrl() override { return url; }
  void Navigate(const CefString& target) override {
    navigations.push_back(target.ToString());
  }
  void OnTitleChange(const CefString& title) override {
    titles.push_back(title.ToString());
  }
  void CloseWindow() override { ++close_requests; }

  // Runs the tasks posted so far, in posting order.
  void RunTasks() {
    auto pending = std::move(tasks);
    tasks.clear();
    for (auto& task : pending)
      task.first();
  }

  std::vector<ConsoleMessage> console;
  std::vector<std::pair<std::function<void()>, int64_t>> tasks;
  std::string url = "http://example.test/page.html";
  std::vector<std::string> navigations;
  std::vector<std::string> titles;
  int close_requests = 0;
};

#endif  // TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_
