// The recording client, and the browsers _cefsim makes with one of its own.
#include <chrono>
#include <utility>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "include/cef_task.h"
#include "platform/win32_window.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim_inspect {
ClientEvent RecordingClient::Event(const char* kind, int code) {
  ClientEvent event;
  event.kind = kind;
  event.code = code;
  return event;
}

ClientEvent RecordingClient::FrameEvent(const char* kind,
                                        CefRefPtr<CefFrame> frame, int code) {
  ClientEvent event = Event(kind, code);
  event.main_frame = frame->IsMain();
  event.url = frame->GetURL().ToString();
  return event;
}

bool RecordingClient::OnContextMenuCommand(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params, int command_id,
    EventFlags event_flags) {
  Add(browser, Event("menu_command", command_id));
  for (int handled : handled_commands) {
    if (handled == command_id)
      return true;
  }
  return false;
}

bool RecordingClient::OnConsoleMessage(CefRefPtr<CefBrowser> browser,
                                       const CefString& message,
                                       const CefString& source, int line) {
  // Decided before the event is recorded: a test that waits for it may
  // change handles_console as soon as it appears.
  const bool handled = handles_console;
  ClientEvent event = Event("console", line);
  event.url = source.ToString();
  event.text = message.ToString();
  Add(browser, std::move(event));
  return handled;
}

void RecordingClient::OnLoadError(CefRefPtr<CefBrowser> browser,
                                  CefRefPtr<CefFrame> frame,
                                  ErrorCode errorCode,
                                  const CefString& errorText,
                                  const CefString& failedUrl) {
  ClientEvent event = FrameEvent("load_error", frame, errorCode);
  event.url = failedUrl.ToString();
  event.text = errorText.ToString();
  Add(browser, std::move(event));
}

bool RecordingClient::OnProcessMessageReceived(
    CefRefPtr<CefBrowser> browser, CefProcessId source_process,
    CefRefPtr<CefProcessMessage> message) {
  ClientEvent event = Event("message", source_process);
  event.name = message->GetName().ToString();
  event.arguments = message->GetArgumentList()->Copy();
  Add(browser, std::move(event));
  return true;
}

std::vector<ClientEvent> RecordingClient::Events() {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::vector<ClientEvent> RecordingClient::Events(int browser_id) {
  std::vector<ClientEvent> result;
  for (ClientEvent& event : Events()) {
    if (event.browser_id == browser_id)
      result.push_back(std::move(event));
  }
  return result;
}

bool RecordingClient::WaitUntil(
    const std::function<bool(const std::vector<ClientEvent>&)>& done,
    int timeout_ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return done(events_); });
}

void RecordingClient::Add(CefRefPtr<CefBrowser> browser, ClientEvent event) {
  event.browser_id = browser->GetIdentifier();
  event.on_ui_thread = CefCurrentlyOn(TID_UI);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(std::move(event));
  }
  changed_.notify_all();
}

namespace {

// One client for every browser _cefsim makes; it tells them apart by id.
CefRefPtr<RecordingClient> SharedClient() {
  static auto* client = new CefRefPtr<RecordingClient>(new RecordingClient());
  return *client;
}

}  // namespace

std::future<int> CreateRecordedBrowser(const CefWindowInfo& window_info,
                                       const std::string& url) {
  auto promise = std::make_shared<std::promise<int>>();
  std::future<int> result = promise->get_future();
  auto create = [promise, window_info, url]() {
    CefRefPtr<CefBrowser> browser = CefBrowserHost::CreateBrowserSync(
        window_info, SharedClient().get(), url, CefBrowserSettings(), nullptr);
    promise->set_value(browser ? browser->GetIdentifier() : 0);
  };
  if (!cefsim::PostToNamedThread(TID_UI, create))
    promise->set_value(0);
  return result;
}

void DestroyBrowserWindow(int browser_id) {
  cefsim::PostToNamedThread(TID_UI, [browser_id]() {
    CefRefPtr<CefBrowser> browser = BrowserById(browser_id);
    if (!browser)
      return;
    // A window that went with its parent meanwhile: CEF is told by the close.
    HWND window = browser->GetHost()->GetWindowHandle();
    if (!IsWindow(window) || !DestroyWindow(window))
      browser->GetHost()->CloseBrowser(true);
  });
}

std::vector<ClientEvent> ClientEvents(int browser_id) {
  return SharedClient()->Events(browser_id);
}

}  // namespace cefsim_inspect
