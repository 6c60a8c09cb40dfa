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
#include "platform/x11/x11_windows.h"

namespace {

using cefsim_inspect::ClientEvent;
using zubrix::FunctionTask;

std::string Line(const ClientEvent& event) {
  const std::string frame = event.main_frame ? "main " : "sub ";
  const std::string code = std::to_string(event.code);
  const std::string browser = std::to_string(event.browser_id);
  if (event.kind == "load_start")
    return event.kind + " " + frame + event.url;
  if (event.kind == "load_end")
    return event.kind + " " + frame + event.url + " " + code;
  if (event.kind == "load_error")
    return event.kind + " " + frame + event.url + " " + code + " " + event.text;
  if (event.kind == "terminated")
    return event.kind + " " + browser + " " + code;
  if (event.kind == "do_close" || event.kind == "before_close")
    return event.kind + " " + browser;
  if (event.kind == "message") {
    return event.kind + " " + event.name + " " + browser + " from " +
           (event.code == PID_RENDERER ? "renderer" : "browser");
  }
  if (event.kind == "console")
    return event.kind + " " + event.url + ":" + code + " " + event.text;
  if (event.kind == "menu_before" || event.kind == "menu_command")
    return event.kind + " " + code;
  return event.kind;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<std::string> RecordingClient::Lines() {
  std::vector<std::string> lines;
  for (const ClientEvent& event : Events())
    lines.push_back(Line(event));
  return lines;
}

std::vector<std::string> RecordingClient::Lines(const std::string& prefix) {
  std::vector<std::string> result;
  for (const std::string& line : Lines()) {
    if (StartsWith(line, prefix))
      result.push_back(line);
  }
  return result;
}

bool RecordingClient::WaitFor(const std::string& prefix) {
  return WaitForCount(prefix, 1);
}

bool RecordingClient::WaitForCount(const std::string& prefix, size_t count) {
  return WaitUntil(
      [&](const std::vector<ClientEvent>& events) {
        size_t found = 0;
        for (const ClientEvent& event : events)
          found += StartsWith(Line(event), prefix);
        return found >= count;
      },
      10000);
}

CefRefPtr<CefListValue> RecordingClient::LastMessage(const std::string& name) {
  std::vector<ClientEvent> messages = Messages(name);
  for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
    if (it->name == name)
      return it->arguments;
  }
  return nullptr;
}

std::vector<ClientEvent> RecordingClient::Messages(const std::string& prefix) {
  std::vector<ClientEvent> result;
  for (ClientEvent& event : Events()) {
    if (event.kind == "message" && StartsWith(event.name, prefix))
      result.push_back(std::move(event));
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
  if (client_) {
    for (const ClientEvent& event : client_->Events())
      EXPECT_TRUE(event.on_ui_thread) << Line(event);
  }
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
