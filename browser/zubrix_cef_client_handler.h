// The CEF client of every browser the module makes: a one-entry context
// menu, the registered start-up code at each load start, a close that ends
// only the browser, the record of which browsers are open, and the hand-over
// of render-process requests, console messages and failed loads to the host's
// main thread.
#ifndef ZUBRIX_BROWSER_ZUBRIX_CEF_CLIENT_HANDLER_H_
#define ZUBRIX_BROWSER_ZUBRIX_CEF_CLIENT_HANDLER_H_

#include "bridge/host_bridge_signals.h"
#include "include/cef_client.h"
#include "include/cef_context_menu_handler.h"
#include "include/cef_display_handler.h"
#include "include/cef_life_span_handler.h"
#include "include/cef_load_handler.h"

namespace zubrix {

class ZubrixCefClientHandler : public CefClient,
                               public CefContextMenuHandler,
                               public CefDisplayHandler,
                               public CefLifeSpanHandler,
                               public CefLoadHandler {
 public:
  ZubrixCefClientHandler();
  ZubrixCefClientHandler(const ZubrixCefClientHandler&) = delete;
  ZubrixCefClientHandler& operator=(const ZubrixCefClientHandler&) = delete;

  HostBridgeSignals* signals() const { return signals_; }

  // CEF's counting, but the handler is deleted on CEF's UI thread, where its
  // signals object was made: the last reference may go on any thread (the
  // browser that holds the handler goes with a Python object, a task or
  // CEF's own references). Only without a UI thread to take it (before CEF
  // starts or once it has shut down) is it deleted where the last reference
  // went.
  void AddRef() const override { ref_count_.AddRef(); }
  bool Release() const override;
  bool HasOneRef() const override { return ref_count_.HasOneRef(); }

  // CefClient:
  CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override {
    return this;
  }
  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override;

  // CefContextMenuHandler:
  void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser,
                           CefRefPtr<CefFrame> frame,
                           CefRefPtr<CefContextMenuParams> params,
                           CefRefPtr<CefMenuModel> model) override;
  bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser,
                            CefRefPtr<CefFrame> frame,
                            CefRefPtr<CefContextMenuParams> params,
                            int command_id,
                            EventFlags event_flags) override;

  // CefDisplayHandler:
  bool OnConsoleMessage(CefRefPtr<CefBrowser> browser,
                        const CefString& message,
                        const CefString& source,
                        int line) override;

  // CefLifeSpanHandler: every browser is known from creation until CEF
  // reports it closed, so that Shutdown can wait for them all; a close ends
  // only the browser, never the host's top-level window.
  void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
  bool DoClose(CefRefPtr<CefBrowser> browser) override;
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

  // CefLoadHandler:
  void OnLoadStart(CefRefPtr<CefBrowser> browser,
                   CefRefPtr<CefFrame> frame,
                   TransitionType transition_type) override;
  void OnLoadError(CefRefPtr<CefBrowser> browser,
                   CefRefPtr<CefFrame> frame,
                   ErrorCode errorCode,
                   const CefString& errorText,
                   const CefString& failedUrl) override;

 private:
  ~ZubrixCefClientHandler() override;

  HostBridgeSignals* const signals_;  // Owned.
  CefRefCount ref_count_;
  // Set when no UI thread took the deletion.
  mutable bool deleted_without_ui_thread_ = false;
};

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_ZUBRIX_CEF_CLIENT_HANDLER_H_
