// A client that records what CEF tells it, for tests of the stand-in's
// browsers (C++ ones and _cefsim's). Included by cefsim_inspect.h.
#ifndef CEFSIM_INSPECTION_API_CEFSIM_INSPECT_RECORDING_CLIENT_H_
#define CEFSIM_INSPECTION_API_CEFSIM_INSPECT_RECORDING_CLIENT_H_

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_browser.h"
#include "include/cef_client.h"

namespace cefsim_inspect {

// One callback of a RecordingClient. |kind| is one of load_start, load_end,
// load_error, message, terminated, menu_before, menu_command,
// menu_dismissed, console, do_close, before_close.
struct ClientEvent {
  std::string kind;
  int browser_id = 0;
  bool main_frame = false;  // Load events.
  // Load events: the frame's URL (load_error: the one that failed);
  // console: the message's source.
  std::string url;
  // Transition, HTTP status, error, termination status, menu type flags,
  // menu command, console line, or the process a message came from.
  int code = 0;
  std::string text;  // load_error's error text, console's message.
  std::string name;  // A message's name.
  CefRefPtr<CefListValue> arguments;  // A message's arguments (a copy).
  bool on_ui_thread = false;  // Where CEF makes every one of these calls.
};

// Records every callback as a ClientEvent and, unless its hooks say
// otherwise, leaves each decision to CEF. Hooks are set before the calls
// they are for; they run on the UI thread.
class RecordingClient : public CefClient,
                        public CefContextMenuHandler,
                        public CefDisplayHandler,
                        public CefLifeSpanHandler,
                        public CefLoadHandler,
                        public CefRequestHandler {
 public:
  CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override {
    return this;
  }
  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

  void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser,
                           CefRefPtr<CefFrame> frame,
                           CefRefPtr<CefContextMenuParams> params,
                           CefRefPtr<CefMenuModel> model) override {
    Add(browser, Event("menu_before", params->GetTypeFlags()));
    if (before_context_menu)
      before_context_menu(params, model);
  }
  bool RunContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                      CefRefPtr<CefContextMenuParams> params,
                      CefRefPtr<CefMenuModel> model,
                      CefRefPtr<CefRunContextMenuCallback> callback) override {
    if (runs_context_menu)
      menu_callback = callback;
    return runs_context_menu;
  }
  bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser,
                            CefRefPtr<CefFrame> frame,
                            CefRefPtr<CefContextMenuParams> params,
                            int command_id, EventFlags event_flags) override;
  void OnContextMenuDismissed(CefRefPtr<CefBrowser> browser,
                              CefRefPtr<CefFrame> frame) override {
    Add(browser, Event("menu_dismissed", 0));
  }
  bool OnConsoleMessage(CefRefPtr<CefBrowser> browser, const CefString& message,
                        const CefString& source, int line) override;
  void OnAfterCreated(CefRefPtr<CefBrowser> browser) override {
    if (on_after_created)
      on_after_created(browser);
  }
  bool DoClose(CefRefPtr<CefBrowser> browser) override {
    Add(browser, Event("do_close", 0));
    return keeps_on_close;
  }
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
    Add(browser, Event("before_close", 0));
  }
  void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   TransitionType transition_type) override {
    Add(browser, FrameEvent("load_start", frame, transition_type));
    if (on_load_start)
      on_load_start(browser, frame);
  }
  void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                 int httpStatusCode) override {
    Add(browser, FrameEvent("load_end", frame, httpStatusCode));
  }
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   ErrorCode errorCode, const CefString& errorText,
                   const CefString& failedUrl) override;
  void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                 TerminationStatus status) override {
    Add(browser, Event("terminated", status));
  }
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override;

  // Runs inside OnLoadStart, after the event is recorded; the frame's
  // scripts may run before what it executes arrives.
  std::function<void(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>)> on_load_start;
  std::function<void(CefRefPtr<CefBrowser>)> on_after_created;
  // Runs inside OnBeforeContextMenu, where it may change the model.
  std::function<void(CefRefPtr<CefContextMenuParams>, CefRefPtr<CefMenuModel>)>
      before_context_menu;
  // Set: the client runs the menu itself and keeps the callback here.
  bool runs_context_menu = false;
  CefRefPtr<CefRunContextMenuCallback> menu_callback;
  // The commands the client handles itself: CEF takes no default action.
  std::vector<int> handled_commands;
  // What DoClose answers: false is CEF's default.
  std::atomic<bool> keeps_on_close{false};
  // Whether console messages stay out of CEF's console output.
  std::atomic<bool> handles_console{false};

  // Every event so far, in order; or those of one browser.
  std::vector<ClientEvent> Events();
  std::vector<ClientEvent> Events(int browser_id);
  // Waits up to |timeout_ms| until |done| holds for the events so far.
  bool WaitUntil(
      const std::function<bool(const std::vector<ClientEvent>&)>& done,
      int timeout_ms);

 private:
  static ClientEvent Event(const char* kind, int code);
  static ClientEvent FrameEvent(const char* kind, CefRefPtr<CefFrame> frame,
                                int code);
  void Add(CefRefPtr<CefBrowser> browser, ClientEvent event);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ClientEvent> events_;
  IMPLEMENT_REFCOUNTING(RecordingClient);
};

}  // namespace cefsim_inspect

#endif  // CEFSIM_INSPECTION_API_CEFSIM_INSPECT_RECORDING_CLIENT_H_
