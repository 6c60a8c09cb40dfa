#include "cefsim/src/browser/browser_host_impl.h"

#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/src/browser/termination_status.h"
#include "cefsim/src/context_menu/context_menus.h"
#include "include/base/cef_logging.h"
#include "include/cef_request_context.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/placeholder/placeholders.h"
#include "platform/x11/x11_windows.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/runtime/runtime_observer.h"
#include "cefsim/src/runtime/runtime_state.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

// The document a developer-tools browser shows.
constexpr char kDevToolsUrl[] = "chrome-devtools://devtools/inspector.html";

HWND CreateBrowserWindow(const CefWindowInfo& info) {
  bool visible = (info.style & WS_VISIBLE) != 0;
  if (info.style & WS_CHILD) {
    return zubrix::x11::CreateChildWindow(info.parent_window, info.x, info.y,
                                          info.width, info.height, visible);
  }
  return zubrix::x11::CreateTopLevelWindow(
      info.parent_window, CefString(&info.window_name).ToString(), info.x,
      info.y, info.width, info.height, visible);
}

}  // namespace

CefRefPtr<BrowserHostImpl> BrowserHostImpl::Create(
    const BrowserCreateParams& params) {
  if (!CurrentlyOnNamedThread(TID_UI) || !RuntimeRunning())
    return nullptr;
  // Nothing is drawn off screen, so windowless browsers cannot be offered.
  if (params.window_info.windowless_rendering_enabled)
    return nullptr;
  HWND window = CreateBrowserWindow(params.window_info);
  if (!window)
    return nullptr;
  CefRefPtr<BrowserHostImpl> browser =
      new BrowserHostImpl(NextBrowserId(), params, window);
  if (!browser->StartRenderProcess()) {
    DestroyWindow(window);
    return nullptr;
  }
  AddBrowser(browser);
  ShowPlaceholder(browser->id_, window, params.url,
                  params.inspected_browser_id);
  CefRefPtr<CefLifeSpanHandler> life_span =
      params.client ? params.client->GetLifeSpanHandler() : nullptr;
  if (life_span)
    life_span->OnAfterCreated(browser.get());
  if (!params.url.empty()) {
    browser->NavigateOnUi(browser->main_frame_identifier_,
                          NavigationRequestMessage::kLoadUrl, params.url);
    browser->RequestHandled();
  }
  return browser;
}

BrowserHostImpl::BrowserHostImpl(int id, const BrowserCreateParams& params,
                                 HWND window)
    : id_(id), params_(params), window_(window) {
  main_frame_identifier_ = static_cast<int64>(id) << 32;
  // The first navigation counts as asked for before anyone can see the
  // browser.
  if (!params.url.empty())
    requested_navigations_ = 1;
  frames_.push_back(new FrameHostImpl(this, main_frame_identifier_, 0));
}

bool BrowserHostImpl::StartRenderProcess() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  CefRefPtr<CefApp> app = RuntimeApp();
  std::shared_ptr<RenderProcessHost> host = RenderProcessHost::Launch(
      SubprocessPath(), app ? app->GetBrowserProcessHandler() : nullptr);
  if (!host)
    return false;
  CreateBrowserMessage create;
  create.browser_id = id_;
  create.main_frame_id = main_frame_identifier_;
  create.is_devtools = is_devtools();
  create.default_encoding =
      CefString(&params_.settings.default_encoding).ToString();
  host->Send(kFrameCreateBrowser, Encode(create));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    render_process_ = host;
    // As CefBrowserHostImpl::RenderViewReady: what waited goes first.
    for (const auto& frame : queued_for_renderer_)
      host->Send(frame.first, frame.second);
    queued_for_renderer_.clear();
  }
  // The callback holds the browser's id, not the browser, so that a
  // process outliving its browser keeps nothing alive.
  const RenderProcessHost* raw = host.get();
  int id = id_;
  host->AddExitCallback([id, raw, weak = std::weak_ptr<RenderProcessHost>(host)]() {
    int status = 0;
    if (auto process = weak.lock())
      process->ExitStatus(&status);
    PostToNamedThread(TID_UI, [id, raw, status]() {
      if (CefRefPtr<BrowserHostImpl> browser = FindBrowser(id))
        browser->OnRenderProcessGone(raw, status);
    });
  });
  return true;
}

bool BrowserHostImpl::closed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

pid_t BrowserHostImpl::render_process_pid() {
  std::lock_guard<std::mutex> lock(mutex_);
  return render_process_ && render_process_->alive() ? render_process_->pid()
                                                     : -1;
}

std::vector<CefRefPtr<FrameHostImpl>> BrowserHostImpl::Frames() {
  std::lock_guard<std::mutex> lock(mutex_);
  return frames_;
}

CefRefPtr<FrameHostImpl> BrowserHostImpl::FindFrame(int64 identifier) {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindFrameLocked(identifier);
}

CefRefPtr<FrameHostImpl> BrowserHostImpl::FindFrameLocked(int64 identifier) {
  for (const auto& frame : frames_) {
    if (frame->GetIdentifier() == identifier)
      return frame;
  }
  return nullptr;
}

void BrowserHostImpl::RequestNavigation(int64 frame_identifier,
                                        NavigationRequestMessage::Action action,
                                        const CefString& url) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_)
      return;
    ++requested_navigations_;
  }
  CefRefPtr<BrowserHostImpl> self = this;
  bool posted = PostToNamedThread(TID_UI, [self, frame_identifier, action, url]() {
    self->NavigateOnUi(frame_identifier, action, url);
    self->RequestHandled();
  });
  if (!posted)
    RequestHandled();
}

void BrowserHostImpl::RequestHandled() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++handled_navigations_;
  }
  loaded_changed_.notify_all();
}

void BrowserHostImpl::NavigateOnUi(int64 frame_identifier,
                                   NavigationRequestMessage::Action action,
                                   const CefString& url) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  std::unique_lock<std::mutex> lock(mutex_);
  CefRefPtr<FrameHostImpl> frame = FindFrameLocked(frame_identifier);
  if (closed_ || !frame)
    return;
  bool main = frame->IsMain();
  if (action == NavigationRequestMessage::kStop) {
    if (render_process_) {
      StopLoadMessage stop;
      stop.browser_id = id_;
      render_process_->Send(kFrameStopLoad, Encode(stop));
    }
    lock.unlock();
    return;
  }
  PlannedNavigation plan;
  if (!navigation_.Plan(action, main, cefsim::ToU16String(url),
                        cefsim::ToU16String(frame->GetURL()), &plan))
    return;
  // A browser whose render process died gets a new one, as a reload after a
  // crash does in Chromium.
  if (!render_process_ || !render_process_->alive()) {
    lock.unlock();
    if (!StartRenderProcess())
      return;
    lock.lock();
  }
  NavigateMessage navigate;
  navigate.browser_id = id_;
  navigate.frame_id = frame_identifier;
  navigate.navigation_id = navigation_.Begin(frame_identifier, main, plan);
  navigate.transition_type = plan.transition_type;
  navigate.url = plan.url;
  // What the frame's previous document still loads is dropped after the
  // navigation has gone out, so that the old page ignores the failures, and
  // in the same IO-thread task: the IO thread reads the render process
  // between tasks, and the new document's request must not be among those
  // dropped.
  std::shared_ptr<RenderProcessHost> process = render_process_;
  const int id = id_;
  const int64 dropped_frame = main ? 0 : frame_identifier;
  PostToNamedThread(TID_IO,
                    [process, id, dropped_frame, message = Encode(navigate)] {
                      process->Send(kFrameNavigate, message);
                      DropLoads(id, dropped_frame);
                    });
  lock.unlock();
  PublishNavigationState();
  UpdateLoadingState();
}

void BrowserHostImpl::DropLoadsOnIoThread(int64 frame_identifier) {
  const int id = id_;
  PostToNamedThread(TID_IO,
                    [id, frame_identifier] { DropLoads(id, frame_identifier); });
}

// As CefBrowserHostImpl::Send: what goes to the renderer leaves from the UI
// thread, so that it keeps its place among the browser's other UI-thread
// work (a navigation asked for just before it, say).
bool BrowserHostImpl::SendToRenderer(uint32_t kind,
                                     const std::string& payload) {
  if (!CurrentlyOnNamedThread(TID_UI)) {
    CefRefPtr<BrowserHostImpl> self = this;
    PostToNamedThread(TID_UI, [self, kind, payload]() {
      self->SendToRenderer(kind, payload);
    });
    return true;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_)
    return false;
  if (!render_process_) {
    queued_for_renderer_.emplace_back(kind, payload);
    return true;
  }
  return render_process_->Send(kind, payload);
}

int BrowserHostImpl::requested_navigations() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requested_navigations_;
}

bool BrowserHostImpl::WaitUntilLoaded(int navigations,
                                      std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  // Requests are handled in the order they were made, and a handled one
  // has told the client that loading started (unless it was dropped), so
  // loading seen over after that is the end of the wanted navigation or of
  // one that replaced it.
  return loaded_changed_.wait_for(lock, timeout, [this, navigations] {
    return closed_ ||
           (handled_navigations_ >= navigations && !reported_loading_);
  });
}

void BrowserHostImpl::PublishNavigationState() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  std::lock_guard<std::mutex> lock(mutex_);
  navigation_outstanding_ = navigation_.loading();
  can_go_back_ = navigation_.CanGoBack();
  can_go_forward_ = navigation_.CanGoForward();
}

void BrowserHostImpl::UpdateLoadingState() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  bool loading;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    loading = !closed_ && navigation_outstanding_;
    if (loading == reported_loading_)
      return;
  }
  ShowPlaceholderLoading(id_, loading);
  if (CefRefPtr<CefLoadHandler> handler = LoadHandler()) {
    handler->OnLoadingStateChange(this, loading, navigation_.CanGoBack(),
                                  navigation_.CanGoForward());
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    reported_loading_ = loading;
  }
  loaded_changed_.notify_all();
}

CefRefPtr<CefLoadHandler> BrowserHostImpl::LoadHandler() {
  return params_.client ? params_.client->GetLoadHandler() : nullptr;
}

bool BrowserHostImpl::FromCurrentProcess(const RenderProcessHost* from) {
  std::lock_guard<std::mutex> lock(mutex_);
  return !closed_ && render_process_.get() == from;
}

void BrowserHostImpl::RemoveDescendantsLocked(int64 identifier) {
  // Frames come after their parents, so one pass finds whole subtrees.
  std::vector<int64> removed{identifier};
  auto is_removed = [&removed](int64 id) {
    for (int64 r : removed) {
      if (r == id)
        return true;
    }
    return false;
  };
  std::vector<CefRefPtr<FrameHostImpl>> kept;
  for (const auto& frame : frames_) {
    if (!frame->IsMain() && is_removed(frame->parent_identifier())) {
      removed.push_back(frame->GetIdentifier());
      frame->Invalidate();
      navigation_.ForgetFrame(frame->GetIdentifier());
    } else {
      kept.push_back(frame);
    }
  }
  frames_.swap(kept);
}

void BrowserHostImpl::OnLoadStartReport(const RenderProcessHost* from,
                                        const LoadStartMessage& report) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  CefRefPtr<FrameHostImpl> frame;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frame = FindFrameLocked(report.frame_id);
    if (!frame) {
      if (!FindFrameLocked(report.parent_frame_id))
        return;
      frame = new FrameHostImpl(this, report.frame_id, report.parent_frame_id);
      frames_.push_back(frame);
    }
    // A load the browser has since replaced by another is of no interest.
    if (!navigation_.LoadStarted(report.frame_id, frame->IsMain(),
                                 report.navigation_id, report.transition_type,
                                 report.url))
      return;
    RemoveDescendantsLocked(report.frame_id);
  }
  PublishNavigationState();
  frame->SetDocument(cefsim::FromU16String(report.name),
                     cefsim::FromU16String(report.url));
  if (frame->IsMain())
    ShowPlaceholderUrl(id_, frame->GetURL());
  if (CefRefPtr<CefLoadHandler> handler = LoadHandler()) {
    handler->OnLoadStart(this, frame.get(),
                         static_cast<cef_transition_type_t>(
                             report.transition_type));
  }
}

void BrowserHostImpl::OnLoadEndReport(const RenderProcessHost* from,
                                      const LoadEndMessage& report) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  CefRefPtr<FrameHostImpl> frame = FindFrame(report.frame_id);
  if (!frame)
    return;
  // A load whose start went unreported, as another had been asked for by
  // then, ends unreported too.
  if (!navigation_.LoadEnded(report.frame_id, report.navigation_id))
    return;
  PublishNavigationState();
  if (CefRefPtr<CefLoadHandler> handler = LoadHandler())
    handler->OnLoadEnd(this, frame.get(), report.http_status);
  UpdateLoadingState();
}

void BrowserHostImpl::OnLoadErrorReport(const RenderProcessHost* from,
                                        const LoadErrorMessage& report) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  CefRefPtr<FrameHostImpl> frame;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frame = FindFrameLocked(report.frame_id);
    // A sub-frame whose document never arrived is known only from this.
    if (!frame && FindFrameLocked(report.parent_frame_id)) {
      frame = new FrameHostImpl(this, report.frame_id, report.parent_frame_id);
      frames_.push_back(frame);
      frame->SetDocument(CefString(), cefsim::FromU16String(report.failed_url));
    }
    if (!frame)
      return;
  }
  navigation_.LoadFailed(report.frame_id, report.navigation_id);
  PublishNavigationState();
  if (CefRefPtr<CefLoadHandler> handler = LoadHandler()) {
    handler->OnLoadError(this, frame.get(),
                         static_cast<cef_errorcode_t>(report.error_code),
                         cefsim::FromU16String(report.error_text),
                         cefsim::FromU16String(report.failed_url));
  }
  UpdateLoadingState();
}

void BrowserHostImpl::OnSameDocumentNavigationReport(
    const RenderProcessHost* from,
    const SameDocumentNavigationMessage& report) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  CefRefPtr<FrameHostImpl> frame = FindFrame(report.frame_id);
  if (!frame || !navigation_.SameDocumentCommitted(report.frame_id,
                                                   frame->IsMain(),
                                                   report.navigation_id,
                                                   report.url))
    return;
  PublishNavigationState();
  frame->SetDocument(frame->GetName(), cefsim::FromU16String(report.url));
  if (frame->IsMain())
    ShowPlaceholderUrl(id_, frame->GetURL());
  UpdateLoadingState();
}

void BrowserHostImpl::OnProcessMessageReport(
    const RenderProcessHost* from, CefRefPtr<CefProcessMessage> message) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from) || !params_.client)
    return;
  params_.client->OnProcessMessageReceived(this, PID_RENDERER, message);
}

// As CefBrowserHostImpl::DidAddMessageToConsole: every message goes to the
// client's display handler, whose true keeps it out of the console's output
// (here the window's console lines). The record is what developer tools would
// show, which the handler does not affect.
void BrowserHostImpl::OnConsoleMessageReport(const RenderProcessHost* from,
                                             const ConsoleMessage& message) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  if (RuntimeObserver* observer = CurrentRuntimeObserver()) {
    observer->OnConsoleMessage(
        message.browser_id,
        cefsim::FromU16String(message.frame_url).ToString(),
        cefsim::FromU16String(message.message).ToString(),
        cefsim::FromU16String(message.source).ToString(), message.line);
  }
  CefRefPtr<CefDisplayHandler> handler =
      params_.client ? params_.client->GetDisplayHandler() : nullptr;
  const CefString text = cefsim::FromU16String(message.message);
  if (handler &&
      handler->OnConsoleMessage(this, text,
                                cefsim::FromU16String(message.source),
                                message.line)) {
    return;
  }
  ShowPlaceholderConsoleLine(id_, text);
}

void BrowserHostImpl::OnRenderProcessGone(const RenderProcessHost* from,
                                          int wait_status) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from))
    return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    render_process_.reset();
    RemoveDescendantsLocked(main_frame_identifier_);
  }
  navigation_.Reset();
  PublishNavigationState();
  UpdateLoadingState();
  CefRefPtr<CefRequestHandler> handler =
      params_.client ? params_.client->GetRequestHandler() : nullptr;
  DropLoadsOnIoThread(0);
  if (handler)
    handler->OnRenderProcessTerminated(this, TerminationStatusOf(wait_status));
}

void BrowserHostImpl::CloseOnUi() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  std::shared_ptr<RenderProcessHost> process;
  std::vector<CefRefPtr<FrameHostImpl>> frames;
  CefRefPtr<BrowserHostImpl> devtools;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_)
      return;
    closed_ = true;
    process.swap(render_process_);
    queued_for_renderer_.clear();
    frames.swap(frames_);
    devtools.swap(devtools_);
  }
  destruction_ = Destruction::kCompleted;
  navigation_.Reset();
  PublishNavigationState();
  loaded_changed_.notify_all();
  if (devtools)
    devtools->CloseOnUi();
  if (IsWindow(window_))
    DestroyWindow(window_);
  DismissContextMenu(id_);
  CefRefPtr<CefLifeSpanHandler> life_span =
      params_.client ? params_.client->GetLifeSpanHandler() : nullptr;
  if (life_span)
    life_span->OnBeforeClose(this);
  // The frames hold the browser; letting them go ends that cycle.
  for (const auto& frame : frames)
    frame->Invalidate();
  DropLoadsOnIoThread(0);
  // Ending the process waits for it, which neither the UI thread nor the
  // file thread (client: reads) should do: as Chromium, on the launcher.
  if (process) {
    if (!PostToNamedThread(TID_PROCESS_LAUNCHER,
                           [process]() { process->Terminate(); }))
      process->Terminate();
  }
}

bool BrowserHostImpl::CanGoBack() {
  std::lock_guard<std::mutex> lock(mutex_);
  return can_go_back_;
}

bool BrowserHostImpl::CanGoForward() {
  std::lock_guard<std::mutex> lock(mutex_);
  return can_go_forward_;
}

void BrowserHostImpl::GoBack() {
  RequestNavigation(main_frame_identifier_, NavigationRequestMessage::kBack,
                    CefString());
}

void BrowserHostImpl::GoForward() {
  RequestNavigation(main_frame_identifier_,
                    NavigationRequestMessage::kForward, CefString());
}

bool BrowserHostImpl::IsLoading() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !closed_ && (handled_navigations_ < requested_navigations_ ||
                      navigation_outstanding_);
}

void BrowserHostImpl::Reload() {
  RequestNavigation(main_frame_identifier_, NavigationRequestMessage::kReload,
                    CefString());
}

void BrowserHostImpl::ReloadIgnoreCache() {
  RequestNavigation(main_frame_identifier_,
                    NavigationRequestMessage::kReloadIgnoreCache, CefString());
}

void BrowserHostImpl::StopLoad() {
  RequestNavigation(main_frame_identifier_, NavigationRequestMessage::kStop,
                    CefString());
}

bool BrowserHostImpl::IsSame(CefRefPtr<CefBrowser> that) {
  return that && that->GetIdentifier() == id_;
}

bool BrowserHostImpl::HasDocument() {
  return !GetMainFrame()->GetURL().empty();
}

// As CefBrowserHostImpl::GetFrame: without a main frame, as once the browser
// has closed, a placeholder frame stands in. Made afresh each time, so that it
// holds no reference to the browser beyond the caller's.
CefRefPtr<CefFrame> BrowserHostImpl::GetMainFrame() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (frames_.empty())
    return new FrameHostImpl(this, kInvalidFrameIdentifier, 0);
  return frames_.front();
}

CefRefPtr<CefFrame> BrowserHostImpl::GetFrame(int64 identifier) {
  return FindFrame(identifier).get();
}

CefRefPtr<CefFrame> BrowserHostImpl::GetFrame(const CefString& name) {
  if (name.empty())
    return GetMainFrame();
  for (const auto& frame : Frames()) {
    if (frame->GetName() == name)
      return frame.get();
  }
  return nullptr;
}

size_t BrowserHostImpl::GetFrameCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return frames_.size();
}

void BrowserHostImpl::GetFrameIdentifiers(std::vector<int64>& identifiers) {
  identifiers.clear();
  for (const auto& frame : Frames())
    identifiers.push_back(frame->GetIdentifier());
}

void BrowserHostImpl::GetFrameNames(std::vector<CefString>& names) {
  names.clear();
  for (const auto& frame : Frames())
    names.push_back(frame->GetName());
}

bool BrowserHostImpl::SendProcessMessage(
    CefProcessId target_process, CefRefPtr<CefProcessMessage> message) {
  if (target_process != PID_RENDERER || !message)
    return false;
  return SendToRenderer(kFrameProcessMessage,
                        EncodeProcessMessage(id_, message));
}

// As CefBrowserHostImpl::CloseBrowser. Pages here have no beforeunload
// handlers, so the close goes straight on.
void BrowserHostImpl::CloseBrowser(bool force_close) {
  if (!CurrentlyOnNamedThread(TID_UI)) {
    CefRefPtr<BrowserHostImpl> self = this;
    PostToNamedThread(TID_UI, [self, force_close]() {
      self->CloseBrowser(force_close);
    });
    return;
  }
  // On Windows a browser's window that goes with its parent tells CEF at
  // once (WindowDestroyed); here another X client, such as the host's
  // toolkit, may have destroyed it unseen, so that is noticed now.
  if (!window_destroyed_ && !IsWindow(window_)) {
    WindowDestroyed();
    return;
  }
  if (destruction_ >= Destruction::kPending && !window_destroyed_) {
    if (force_close && destruction_ == Destruction::kPending)
      destruction_ = Destruction::kAccepted;
    return;
  }
  if (destruction_ < Destruction::kAccepted)
    destruction_ = force_close ? Destruction::kAccepted : Destruction::kPending;
  CloseContents();
}

// As CefBrowserHostImpl::TryCloseBrowser: the first call starts a close and
// cancels the caller's; once the close is accepted it lets it through.
bool BrowserHostImpl::TryCloseBrowser() {
  if (!CurrentlyOnNamedThread(TID_UI))
    return false;
  if (destruction_ <= Destruction::kPending) {
    if (destruction_ == Destruction::kNone)
      CloseBrowser(false);
    return false;
  }
  return true;
}

// As CefBrowserHostImpl::CloseContents, with the window closed as
// CefBrowserPlatformDelegateNativeWin::CloseHostWindow does: WM_CLOSE to the
// browser window's top-level ancestor, which for a child browser is the
// host application's own window.
void BrowserHostImpl::CloseContents() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (destruction_ == Destruction::kCompleted || closed())
    return;
  bool close = true;
  CefRefPtr<CefLifeSpanHandler> life_span =
      params_.client ? params_.client->GetLifeSpanHandler() : nullptr;
  if (life_span && !window_destroyed_)
    close = !life_span->DoClose(this);
  if (!close) {
    destruction_ = Destruction::kNone;
    return;
  }
  destruction_ = Destruction::kAccepted;
  if (window_destroyed_) {
    destruction_ = Destruction::kCompleted;
    CloseOnUi();
    return;
  }
  PostMessage(GetAncestor(window_, GA_ROOT), WM_CLOSE, 0, 0);
}

// As CefBrowserHostImpl::WindowDestroyed.
void BrowserHostImpl::WindowDestroyed() {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (window_destroyed_)
    return;
  window_destroyed_ = true;
  CloseBrowser(true);
}

// Blink honours window.close() from a page that was not opened by script
// only while its history holds at most one entry; CEF then goes on as
// CefBrowserHostImpl::CloseContents.
void BrowserHostImpl::OnCloseRequestReport(const RenderProcessHost* from) {
  DCHECK(CurrentlyOnNamedThread(TID_UI));
  if (!FromCurrentProcess(from) || navigation_.history_length() > 1)
    return;
  CloseContents();
}

CefRefPtr<CefRequestContext> BrowserHostImpl::GetRequestContext() {
  return CefRequestContext::GetGlobalContext();
}

double BrowserHostImpl::GetZoomLevel() {
  std::lock_guard<std::mutex> lock(mutex_);
  return zoom_level_;
}

void BrowserHostImpl::SetZoomLevel(double zoomLevel) {
  std::lock_guard<std::mutex> lock(mutex_);
  zoom_level_ = zoomLevel;
}

void BrowserHostImpl::ShowDevTools(const CefWindowInfo& windowInfo,
                                   CefRefPtr<CefClient> client,
                                   const CefBrowserSettings& settings,
                                   const CefPoint& inspect_element_at) {
  BrowserCreateParams params;
  params.window_info = windowInfo;
  params.client = client;
  params.settings = settings;
  params.url = kDevToolsUrl;
  params.inspected_browser_id = id_;
  params.inspect_element_at = inspect_element_at;
  CefRefPtr<BrowserHostImpl> self = this;
  PostToNamedThread(TID_UI, [self, params]() {
    {
      std::lock_guard<std::mutex> lock(self->mutex_);
      if (self->closed_)
        return;
      // An open developer-tools window is kept; the new arguments are not
      // used.
      if (self->devtools_ && !self->devtools_->closed() &&
          IsWindow(self->devtools_->GetWindowHandle()))
        return;
    }
    CefRefPtr<BrowserHostImpl> devtools = Create(params);
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->devtools_ = devtools;
  });
}

void BrowserHostImpl::CloseDevTools() {
  CefRefPtr<BrowserHostImpl> self = this;
  PostToNamedThread(TID_UI, [self]() {
    CefRefPtr<BrowserHostImpl> devtools;
    {
      std::lock_guard<std::mutex> lock(self->mutex_);
      devtools.swap(self->devtools_);
    }
    // As CefDevToolsFrontend::Close.
    if (devtools)
      devtools->CloseBrowser(true);
  });
}

bool BrowserHostImpl::HasDevTools() {
  std::lock_guard<std::mutex> lock(mutex_);
  return devtools_ && !devtools_->closed();
}

}  // namespace cefsim
