#include "browser_fixture.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <thread>

#include "common/function_task.h"
#include "include/cef_app.h"
#include "include/cef_task.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "platform/x11/x11_windows.h"

namespace {

std::string FrameKind(CefRefPtr<CefFrame> frame) {
  return frame->IsMain() ? "main" : "sub";
}

using zubrix::FunctionTask;

}  // namespace

void RecordingClient::OnBeforeContextMenu(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) {
  Record("menu_before " + std::to_string(params->GetTypeFlags()));
  if (before_context_menu)
    before_context_menu(params, model);
}

bool RecordingClient::RunContextMenu(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model,
    CefRefPtr<CefRunContextMenuCallback> callback) {
  if (runs_context_menu)
    menu_callback = callback;
  return runs_context_menu;
}

bool RecordingClient::OnContextMenuCommand(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params, int command_id,
    EventFlags event_flags) {
  Record("menu_command " + std::to_string(command_id));
  for (int handled : handled_commands) {
    if (handled == command_id)
      return true;
  }
  return false;
}

void RecordingClient::OnContextMenuDismissed(CefRefPtr<CefBrowser> browser,
                                             CefRefPtr<CefFrame> frame) {
  Record("menu_dismissed");
}

bool RecordingClient::OnConsoleMessage(CefRefPtr<CefBrowser> browser,
                                       const CefString& message,
                                       const CefString& source, int line) {
  // Decided before the line is recorded: a test that waits for the line may
  // change handles_console as soon as it appears.
  const bool handled = handles_console;
  Record("console " + source.ToString() + ":" + std::to_string(line) + " " +
         message.ToString());
  return handled;
}

void RecordingClient::OnLoadStart(CefRefPtr<CefBrowser> browser,
                                  CefRefPtr<CefFrame> frame,
                                  TransitionType transition_type) {
  Record("load_start " + FrameKind(frame) + " " + frame->GetURL().ToString());
  if (on_load_start)
    on_load_start(browser, frame);
}

void RecordingClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
  if (on_after_created)
    on_after_created(browser);
}

void RecordingClient::OnLoadEnd(CefRefPtr<CefBrowser> browser,
                                CefRefPtr<CefFrame> frame,
                                int httpStatusCode) {
  Record("load_end " + FrameKind(frame) + " " + frame->GetURL().ToString() +
         " " + std::to_string(httpStatusCode));
}

void RecordingClient::OnLoadError(CefRefPtr<CefBrowser> browser,
                                  CefRefPtr<CefFrame> frame,
                                  ErrorCode errorCode,
                                  const CefString& errorText,
                                  const CefString& failedUrl) {
  Record("load_error " + FrameKind(frame) + " " + failedUrl.ToString() + " " +
         std::to_string(errorCode) + " " + errorText.ToString());
}

void RecordingClient::OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                                TerminationStatus status) {
  Record("terminated " + std::to_string(browser->GetIdentifier()) + " " +
         std::to_string(status));
}

bool RecordingClient::DoClose(CefRefPtr<CefBrowser> browser) {
  Record("do_close " + std::to_string(browser->GetIdentifier()));
  return keeps_on_close;
}

void RecordingClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
  Record("before_close " + std::to_string(browser->GetIdentifier()));
}

bool RecordingClient::OnProcessMessageReceived(
    CefRefPtr<CefBrowser> browser, CefProcessId source_process,
    CefRefPtr<CefProcessMessage> message) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    messages_.push_back(message);
  }
  Record("message " + message->GetName().ToString() + " " +
         std::to_string(browser->GetIdentifier()) + " from " +
         (source_process == PID_RENDERER ? "renderer" : "browser"));
  return true;
}

void RecordingClient::Record(const std::string& line) {
  EXPECT_TRUE(CefCurrentlyOn(TID_UI)) << line;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
  }
  changed_.notify_all();
}

std::vector<std::string> RecordingClient::Lines() {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

std::vector<std::string> RecordingClient::Lines(const std::string& prefix) {
  std::vector<std::string> result;
  for (const std::string& line : Lines()) {
    if (line.compare(0, prefix.size(), prefix) == 0)
      result.push_back(line);
  }
  return result;
}

bool RecordingClient::WaitFor(const std::string& prefix) {
  return WaitForCount(prefix, 1);
}

bool RecordingClient::WaitForCount(const std::string& prefix, size_t count) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::seconds(10), [&] {
    size_t found = 0;
    for (const std::string& line : lines_)
      found += line.compare(0, prefix.size(), prefix) == 0;
    return found >= count;
  });
}

CefRefPtr<CefListValue> RecordingClient::LastMessage(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
    if ((*it)->GetName() == name)
      return (*it)->GetArgumentList();
  }
  return nullptr;
}

std::vector<CefRefPtr<CefProcessMessage>> RecordingClient::Messages(
    const std::string& prefix) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<CefRefPtr<CefProcessMessage>> result;
  for (const auto& message : messages_) {
    if (message->GetName().ToString().compare(0, prefix.size(), prefix) == 0)
      result.push_back(message);
  }
  return result;
}

void BrowserTest::SetUp() {
  if (!getenv("DISPLAY"))
    GTEST_SKIP() << "no X server";
  CefSettings settings;
  settings.multi_threaded_message_loop = 1;
  settings.no_sandbox = 1;
  ASSERT_TRUE(CefInitialize(CefMainArgs(), settings, nullptr, nullptr));
  host_ = zubrix::x11::CreateTopLevelWindow(nullptr, "host", 0, 0, 640, 480,
                                            true);
  ASSERT_NE(host_, nullptr);
  char pattern[] = "/tmp/cefsim_browsers_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  folder_ = pattern;
  client_ = new RecordingClient();
}

// CEF starts once per process: CTest runs each case in a process of its own.
void BrowserTest::TearDown() {
  if (host_)
    CloseAllBrowsers();
  CefShutdown();
  if (host_)
    DestroyWindow(host_);
  if (!folder_.empty())
    std::system(("rm -rf '" + folder_ + "'").c_str());
}

void BrowserTest::CloseAllBrowsers() {
  // As an embedder must before CefShutdown: each browser's window is
  // destroyed on the UI thread, and CEF reports each closed.
  RunOnUi([]() {
    for (const auto& record : cefsim_inspect::Browsers()) {
      if (!record.closed && IsWindow(record.window))
        DestroyWindow(record.window);
    }
  });
  auto all_closed = []() {
    for (const auto& record : cefsim_inspect::Browsers()) {
      if (!record.closed)
        return false;
    }
    return true;
  };
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!all_closed() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(all_closed()) << "a browser was not reported closed";
}

void BrowserTest::RunOnUi(std::function<void()> task) {
  std::promise<void> done;
  // Once CEF is shut down there is no UI thread, and nothing to wait for.
  if (!CefPostTask(TID_UI, new FunctionTask([&]() {
                     task();
                     done.set_value();
                   })))
    return;
  done.get_future().wait();
}

CefRefPtr<CefBrowser> BrowserTest::Create(const std::string& url, int x, int y,
                                          int width, int height) {
  CefRefPtr<CefBrowser> browser;
  CefWindowInfo info;
  info.style = WS_CHILD | WS_VISIBLE;
  info.parent_window = host_;
  info.x = x;
  info.y = y;
  info.width = width;
  info.height = height;
  CefRefPtr<RecordingClient> client = client_;
  RunOnUi([&]() {
    browser = CefBrowserHost::CreateBrowserSync(info, client.get(), url,
                                                CefBrowserSettings(), nullptr);
  });
  return browser;
}

bool BrowserTest::WaitLoaded(CefRefPtr<CefBrowser> browser) {
  return cefsim_inspect::WaitLoaded(browser->GetIdentifier(), 10000);
}

std::vector<std::string> BrowserTest::Console(CefRefPtr<CefBrowser> browser) {
  std::vector<std::string> messages;
  for (const auto& record : cefsim_inspect::ConsoleMessages()) {
    if (record.browser_id == browser->GetIdentifier())
      messages.push_back(record.message);
  }
  return messages;
}

std::string BrowserTest::WriteFile(const std::string& name,
                                   const std::string& contents) {
  std::ofstream(folder_ + "/" + name) << contents;
  return "file://" + folder_ + "/" + name;
}
