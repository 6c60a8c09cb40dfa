// A frame stand-in for script contexts run directly on the test thread: it
// records what the scripts asked for and runs their timers on demand.
#ifndef TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_
#define TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_v8.h"
#include "cefsim/src/v8/script_host.h"

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

// The value of |code| in |context|; fails the test if it throws.
inline CefRefPtr<CefV8Value> Eval(CefRefPtr<CefV8Context> context,
                                  const std::string& code) {
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  bool ok = context->Eval(code, "", 1, retval, exception);
  EXPECT_TRUE(ok) << code << ": "
                  << (exception ? exception->GetMessage().ToString() : "");
  return retval;
}

#endif  // TESTS_CPP_CEFSIM_V8_FAKE_SCRIPT_HOST_H_
