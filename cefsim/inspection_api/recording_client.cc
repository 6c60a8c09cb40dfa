// The stand-in's own client for browsers that tests make through _cefsim.
#include <map>
#include <mutex>

#include "include/cef_browser.h"
#include "include/cef_client.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "platform/win32_window.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim_inspect {
namespace {

// Any thread: the client adds on the UI thread, tests read from theirs.
struct EventLog {
  std::mutex mutex;
  std::map<int, std::vector<ClientEvent>> events;
};

EventLog& Log() {
  static auto* log = new EventLog();
  return *log;
}

void Add(CefRefPtr<CefBrowser> browser, ClientEvent event) {
  std::lock_guard<std::mutex> lock(Log().mutex);
  Log().events[browser->GetIdentifier()].push_back(std::move(event));
}

ClientEvent FrameEvent(const char* kind, CefRefPtr<CefFrame> frame, int code) {
  ClientEvent event;
  event.kind = kind;
  event.main_frame = frame->IsMain();
  event.url = frame->GetURL().ToString();
  event.code = code;
  return event;
}

ClientEvent CodeEvent(const char* kind, int code) {
  ClientEvent event;
  event.kind = kind;
  event.code = code;
  return event;
}

class RecordingClient : public CefClient,
                        public CefContextMenuHandler,
                        public CefLifeSpanHandler,
                        public CefLoadHandler,
                        public CefRequestHandler {
 public:
  CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override {
    return this;
  }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override {
    ClientEvent event;
    event.kind = "message";
    event.name = message->GetName().ToString();
    event.arguments = message->GetArgumentList()->Copy();
    Add(browser, event);
    return true;
  }
  bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser,
                            CefRefPtr<CefFrame> frame,
                            CefRefPtr<CefContextMenuParams> params,
                            int command_id, EventFlags event_flags) override {
    Add(browser, CodeEvent("menu_command", command_id));
    return false;
  }
  void OnContextMenuDismissed(CefRefPtr<CefBrowser> browser,
                              CefRefPtr<CefFrame> frame) override {
    Add(browser, CodeEvent("menu_dismissed", 0));
  }
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
    Add(browser, CodeEvent("before_close", 0));
  }
  void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   TransitionType transition_type) override {
    Add(browser, FrameEvent("load_start", frame, transition_type));
  }
  void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                 int httpStatusCode) override {
    Add(browser, FrameEvent("load_end", frame, httpStatusCode));
  }
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   ErrorCode errorCode, const CefString& errorText,
                   const CefString& failedUrl) override {
    ClientEvent event = FrameEvent("load_error", frame, errorCode);
    event.url = failedUrl.ToString();
    Add(browser, event);
  }
  void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                 TerminationStatus status) override {
    Add(browser, CodeEvent("terminated", status));
  }

 private:
  IMPLEMENT_REFCOUNTING(RecordingClient);
};

}  // namespace

std::future<int> CreateRecordedBrowser(const CefWindowInfo& window_info,
                                       const std::string& url) {
  auto promise = std::make_shared<std::promise<int>>();
  std::future<int> result = promise->get_future();
  auto create = [promise, window_info, url]() {
    CefRefPtr<CefBrowser> browser = CefBrowserHost::CreateBrowserSync(
        window_info, new RecordingClient(), url, CefBrowserSettings(), nullptr);
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
  std::lock_guard<std::mutex> lock(Log().mutex);
  auto it = Log().events.find(browser_id);
  return it == Log().events.end() ? std::vector<ClientEvent>() : it->second;
}

}  // namespace cefsim_inspect
