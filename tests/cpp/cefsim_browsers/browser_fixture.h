// A running CEF, a host window, files to load, and a client that records
// what CEF tells it, for the browser tests.
#ifndef ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_BROWSER_FIXTURE_H_
#define ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_BROWSER_FIXTURE_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "include/cef_browser.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

// The stand-in's recording client, its events read as lines such as
// "load_start main data:..." or "message echo 1 from renderer".
class RecordingClient : public cefsim_inspect::RecordingClient {
 public:
  std::vector<std::string> Lines();
  // Lines that start with |prefix|.
  std::vector<std::string> Lines(const std::string& prefix);
  // Waits up to 10 s for a line that starts with |prefix|.
  bool WaitFor(const std::string& prefix);
  // Waits up to 10 s for |count| lines that start with |prefix|.
  bool WaitForCount(const std::string& prefix, size_t count);
  // The arguments of the last process message called |name|.
  CefRefPtr<CefListValue> LastMessage(const std::string& name);
  // The process messages whose names start with |prefix|, in order.
  std::vector<cefsim_inspect::ClientEvent> Messages(const std::string& prefix);
};

class BrowserTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Closes every open browser and waits until each is reported closed.
  void CloseAllBrowsers();
  // Runs |task| on CEF's UI thread and waits for it.
  static void RunOnUi(std::function<void()> task);
  // A browser in a child window of the host window, made on the UI thread.
  CefRefPtr<CefBrowser> Create(const std::string& url, int x = 0, int y = 0,
                               int width = 320, int height = 240);
  bool WaitLoaded(CefRefPtr<CefBrowser> browser);
  // The console output of |browser|'s pages so far, in order.
  static std::vector<std::string> Console(CefRefPtr<CefBrowser> browser);
  // Writes |contents| into the test's folder; its file: URL.
  std::string WriteFile(const std::string& name, const std::string& contents);

  HWND host_ = nullptr;
  std::string folder_;
  CefRefPtr<RecordingClient> client_;
};

#endif  // ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_BROWSER_FIXTURE_H_
