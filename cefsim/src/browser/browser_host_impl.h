// A browser in the browser process: its window, its render process, its
// frames and its navigation state. The UI thread owns every change; other
// threads read under the lock and hand navigations to the UI thread.
#ifndef CEFSIM_SRC_BROWSER_BROWSER_HOST_IMPL_H_
#define CEFSIM_SRC_BROWSER_BROWSER_HOST_IMPL_H_

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "cefsim/src/browser/frame_host_impl.h"
#include "cefsim/src/browser/navigation_state.h"
#include "include/cef_browser.h"
#include "include/cef_client.h"
#include "cefsim/src/ipc/page_messages.h"

namespace cefsim {

class RenderProcessHost;

struct BrowserCreateParams {
  CefWindowInfo window_info;
  CefRefPtr<CefClient> client;
  CefBrowserSettings settings;
  CefString url;
  // Set for a developer-tools browser: the browser it inspects.
  int inspected_browser_id = 0;
  CefPoint inspect_element_at;
};

class BrowserHostImpl : public CefBrowser, public CefBrowserHost {
 public:
  // UI thread. Null when the window or the render process cannot be made.
  static CefRefPtr<BrowserHostImpl> Create(const BrowserCreateParams& params);

  const BrowserCreateParams& params() const { return params_; }
  bool is_devtools() const { return params_.inspected_browser_id != 0; }
  bool closed();
  // The pid of the render process that serves the browser now, or -1.
  pid_t render_process_pid();
  // Main frame first, then sub-frames in the order they appeared.
  std::vector<CefRefPtr<FrameHostImpl>> Frames();
  CefRefPtr<FrameHostImpl> FindFrame(int64 identifier);

  // Any thread. |frame_identifier| must name one of the browser's frames.
  void RequestNavigation(int64 frame_identifier,
                         NavigationRequestMessage::Action action,
                         const CefString& url);
  // While the render process is gone the frame waits for the next one, as
  // CefBrowserHostImpl::Send queues between RenderProcessGone and
  // RenderViewReady. False once the browser has closed.
  bool SendToRenderer(uint32_t kind, const std::string& payload);
  int64 main_frame_identifier() const { return main_frame_identifier_; }
  // Drops the browser's loads (of one frame, unless 0): its page navigated
  // away, its process ended, or it closed.
  void DropLoadsOnIoThread(int64 frame_identifier);
  // How many navigations have been asked of the browser so far.
  int requested_navigations();
  // True once the first |navigations| navigations asked of the browser have
  // been handled and the client has heard loading end, or once the browser
  // has closed; false on timeout.
  bool WaitUntilLoaded(int navigations, std::chrono::milliseconds timeout);

  // Whether |process| serves the browser now.
  bool FromCurrentProcess(const RenderProcessHost* process);

  // UI thread: what the render process |from| reported. Reports from a
  // process that no longer serves the browser are ignored.
  void OnLoadStartReport(const RenderProcessHost* from,
                         const LoadStartMessage& report);
  void OnLoadEndReport(const RenderProcessHost* from,
                       const LoadEndMessage& report);
  void OnLoadErrorReport(const RenderProcessHost* from,
                         const LoadErrorMessage& report);
  void OnProcessMessageReport(const RenderProcessHost* from,
                              CefRefPtr<CefProcessMessage> message);
  void OnConsoleMessageReport(const RenderProcessHost* from,
                              const ConsoleMessage& message);
  void OnRenderProcessGone(const RenderProcessHost* from, int wait_status);
  // UI thread, as CefBrowserHostImpl::DidFinishNavigation for a
  // same-document navigation: the frame's URL changes, OnLoadStart is not
  // called.
  void OnSameDocumentNavigationReport(
      const RenderProcessHost* from,
      const SameDocumentNavigationMessage& report);
  // UI thread: the main frame's window.close(), as Blink lets it through.
  void OnCloseRequestReport(const RenderProcessHost* from);
  // UI thread: the browser's window has been destroyed.
  void WindowDestroyed();
  // UI thread: the browser ends now, without asking anyone.
  void CloseOnUi();

  // CefBrowser:
  CefRefPtr<CefBrowserHost> GetHost() override { return this; }
  bool CanGoBack() override;
  void GoBack() override;
  bool CanGoForward() override;
  void GoForward() override;
  bool IsLoading() override;
  void Reload() override;
  void ReloadIgnoreCache() override;
  void StopLoad() override;
  int GetIdentifier() override { return id_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override;
  bool IsPopup() override { return is_devtools(); }
  bool HasDocument() override;
  CefRefPtr<CefFrame> GetMainFrame() override;
  CefRefPtr<CefFrame> GetFocusedFrame() override { return GetMainFrame(); }
  CefRefPtr<CefFrame> GetFrame(int64 identifier) override;
  CefRefPtr<CefFrame> GetFrame(const CefString& name) override;
  size_t GetFrameCount() override;
  void GetFrameIdentifiers(std::vector<int64>& identifiers) override;
  void GetFrameNames(std::vector<CefString>& names) override;
  bool SendProcessMessage(CefProcessId target_process,
                          CefRefPtr<CefProcessMessage> message) override;

  // CefBrowserHost:
  CefRefPtr<CefBrowser> GetBrowser() override { return this; }
  void CloseBrowser(bool force_close) override;
  bool TryCloseBrowser() override;
  CefWindowHandle GetWindowHandle() override { return window_; }
  bool HasView() override { return false; }
  CefRefPtr<CefClient> GetClient() override { return params_.client; }
  CefRefPtr<CefRequestContext> GetRequestContext() override;
  double GetZoomLevel() override;
  void SetZoomLevel(double zoomLevel) override;
  // Nothing is drawn, so there is nothing to print.
  void Print() override {}
  void ShowDevTools(const CefWindowInfo& windowInfo,
                    CefRefPtr<CefClient> client,
                    const CefBrowserSettings& settings,
                    const CefPoint& inspect_element_at) override;
  void CloseDevTools() override;
  bool HasDevTools() override;
  bool IsWindowRenderingDisabled() override { return false; }

 private:
  BrowserHostImpl(int id, const BrowserCreateParams& params, HWND window);

  // UI thread; the lock is not held unless named so.
  bool StartRenderProcess();
  void NavigateOnUi(int64 frame_identifier,
                    NavigationRequestMessage::Action action,
                    const CefString& url);
  // A navigation request has been sent on or dropped.
  void RequestHandled();
  // Copies what other threads may ask of |navigation_| to where they can
  // read it under the lock.
  void PublishNavigationState();
  void UpdateLoadingState();
  // Drops the frames below |identifier|; with the lock held.
  void RemoveDescendantsLocked(int64 identifier);
  CefRefPtr<FrameHostImpl> FindFrameLocked(int64 identifier);
  CefRefPtr<CefLoadHandler> LoadHandler();
  // UI thread: the client may keep the browser, else the host's top-level
  // window is asked to close.
  void CloseContents();

  // How far a close has got, as CEF counts it.
  enum class Destruction { kNone, kPending, kAccepted, kCompleted };

  const int id_;
  const BrowserCreateParams params_;
  const HWND window_;

  std::mutex mutex_;
  std::condition_variable loaded_changed_;
  bool closed_ = false;
  std::shared_ptr<RenderProcessHost> render_process_;
  std::vector<CefRefPtr<FrameHostImpl>> frames_;  // Main frame first.
  int64 main_frame_identifier_ = 0;
  // Frames for the next render process, in sending order.
  std::vector<std::pair<uint32_t, std::string>> queued_for_renderer_;
  // The UI thread's alone: other threads see the copies below.
  NavigationState navigation_;
  bool navigation_outstanding_ = false;
  bool can_go_back_ = false;
  bool can_go_forward_ = false;
  // Navigation requests made, and of those the ones the UI thread has sent
  // on or dropped.
  int requested_navigations_ = 0;
  int handled_navigations_ = 0;
  bool reported_loading_ = false;
  // The UI thread's alone.
  Destruction destruction_ = Destruction::kNone;
  bool window_destroyed_ = false;
  double zoom_level_ = 0;
  CefRefPtr<BrowserHostImpl> devtools_;

  IMPLEMENT_REFCOUNTING(BrowserHostImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_BROWSER_HOST_IMPL_H_
