// A running CEF, a host window, files to load, and a client that records
// what CEF tells it, for the browser tests.
#ifndef ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_BROWSER_FIXTURE_H_
#define ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_BROWSER_FIXTURE_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_browser.h"
#include "include/cef_client.h"

// Each callback appends a line such as "load_start main data:..." and checks
// that it runs on the UI thread.
class RecordingClient : public CefClient,
                        public CefContextMenuHandler,
                        public CefDisplayHandler,
                        public CefLoadHandler,
                        public CefRequestHandler,
                        public CefLifeSpanHandler {
 public:
  CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override {
    return this;
  }
  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }

  // Context menus record "menu_before <type flags>", "menu_command <id>"
  // and "menu_dismissed".
  void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser,
                           CefRefPtr<CefFrame> frame,
                           CefRefPtr<CefContextMenuParams> params,
                           CefRefPtr<CefMenuModel> model) override;
  bool RunContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                      CefRefPtr<CefContextMenuParams> params,
                      CefRefPtr<CefMenuModel> model,
                      CefRefPtr<CefRunContextMenuCallback> callback) override;
  bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser,
                            CefRefPtr<CefFrame> frame,
                            CefRefPtr<CefContextMenuParams> params,
                            int command_id, EventFlags event_flags) override;
  void OnContextMenuDismissed(CefRefPtr<CefBrowser> browser,
                              CefRefPtr<CefFrame> frame) override;
  // Records "console <source>:<line> <message>"; returns handles_console.
  bool OnConsoleMessage(CefRefPtr<CefBrowser> browser, const CefString& message,
                        const CefString& source, int line) override;
  void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   TransitionType transition_type) override;
  void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                 int httpStatusCode) override;
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   ErrorCode errorCode, const CefString& errorText,
                   const CefString& failedUrl) override;
  void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                 TerminationStatus status) override;
  void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
  // Records "do_close <id>"; answers with |keeps_on_close|.
  bool DoClose(CefRefPtr<CefBrowser> browser) override;
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override;

  // Runs on the UI thread inside OnLoadStart; the frame's scripts may run
  // before what it executes arrives.
  std::function<void(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>)> on_load_start;
  // Runs on the UI thread inside OnAfterCreated.
  std::function<void(CefRefPtr<CefBrowser>)> on_after_created;
  // Context-menu behaviour; unset, the client leaves everything to CEF.
  std::function<void(CefRefPtr<CefContextMenuParams>, CefRefPtr<CefMenuModel>)>
      before_context_menu;
  // Set: the client runs the menu itself and keeps the callback here.
  bool runs_context_menu = false;
  CefRefPtr<CefRunContextMenuCallback> menu_callback;
  // What DoClose answers: false is CEF's default.
  std::atomic<bool> keeps_on_close{false};
  // Whether console messages stay out of CEF's console output.
  std::atomic<bool> handles_console{false};
  // The commands the client handles itself.
  std::vector<int> handled_commands;

  void Record(const std::string& line);
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
  std::vector<CefRefPtr<CefProcessMessage>> Messages(const std::string& prefix);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  std::vector<CefRefPtr<CefProcessMessage>> messages_;
  IMPLEMENT_REFCOUNTING(RecordingClient);
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
