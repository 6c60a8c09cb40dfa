// Start-up and shutdown of the stand-in, in the browser process and in its
// sub-processes.
#include <unistd.h>

#include <condition_variable>
#include <mutex>

#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/src/browser/window_destruction.h"
#include "cefsim/src/fetch/blocking_pool.h"
#include "include/base/cef_logging.h"
#include "include/cef_app.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/placeholder/placeholders.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/runtime/runtime_observer.h"
#include "cefsim/src/runtime/runtime_state.h"
#include "cefsim/src/threads/named_threads.h"

namespace {

constexpr char kProcessTypeSwitch[] = "type";
constexpr char kRendererProcessType[] = "renderer";

struct MessageLoopQuit {
  std::mutex mutex;
  std::condition_variable changed;
  bool quit = false;
};

MessageLoopQuit& LoopQuit() {
  static auto* quit = new MessageLoopQuit();
  return *quit;
}

}  // namespace

int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application,
                      void* windows_sandbox_info) {
  CefRefPtr<cefsim::CommandLineImpl> command_line =
      cefsim::CommandLineFromMainArgs(args);
  std::string process_type = command_line->SwitchValueUtf8(kProcessTypeSwitch);
  // No type: this is the browser process, which goes on to CefInitialize.
  if (process_type.empty())
    return -1;
  if (application)
    application->OnBeforeCommandLineProcessing(process_type,
                                               command_line.get());
  cefsim::SetGlobalCommandLine(command_line);
  command_line->MakeReadOnly();
  if (process_type == kRendererProcessType)
    return cefsim::RunRenderProcess(application, command_line);
  // The stand-in starts no other kind of sub-process.
  return 0;
}

bool CefInitialize(const CefMainArgs& args, const CefSettings& settings,
                   CefRefPtr<CefApp> application, void* windows_sandbox_info) {
  cefsim::RuntimeObserver* observer = cefsim::CurrentRuntimeObserver();
  if (observer)
    observer->OnInitialize(settings);
  switch (cefsim::BeginRuntime(settings, application)) {
    case cefsim::RuntimeStart::kStarted:
      break;
    case cefsim::RuntimeStart::kRunningAlready:
      // As CefInitialize: with the context made already, nothing is done.
      return true;
    case cefsim::RuntimeStart::kShutDownAlready:
      // CEF would build a new context over Chromium's torn-down globals and
      // crash; nothing may come to rely on it working here.
      LOG(ERROR) << "CefInitialize after CefShutdown: CEF cannot start twice "
                    "in one process";
      return false;
  }

  CefRefPtr<cefsim::CommandLineImpl> command_line =
      cefsim::CommandLineFromMainArgs(args);
  if (application)
    application->OnBeforeCommandLineProcessing(CefString(), command_line.get());
  command_line->MakeReadOnly();
  cefsim::SetGlobalCommandLine(command_line);
  if (observer) {
    observer->OnProcessSeen(static_cast<int>(getpid()), std::string(),
                            command_line->ArgvUtf8());
  }

  // The stand-in always runs its UI thread beside the caller's, as CEF does
  // with multi_threaded_message_loop.
  cefsim::StartNamedThread(TID_UI);
  cefsim::StartNamedThread(TID_IO);
  cefsim::StartNamedThread(TID_FILE);
  cefsim::StartNamedThread(TID_PROCESS_LAUNCHER);
  cefsim::StartBlockingPool();
  cefsim::StartClosingBrowsersWithDestroyedWindows();

  CefRefPtr<CefBrowserProcessHandler> handler =
      application ? application->GetBrowserProcessHandler() : nullptr;
  if (handler) {
    cefsim::PostToNamedThread(TID_UI,
                              [handler]() { handler->OnContextInitialized(); });
  }
  return true;
}

void CefShutdown() {
  if (!cefsim::RuntimeRunning())
    return;
  // CEF expects every browser closed first, each reported through
  // OnBeforeClose (cefclient waits for them); on Windows a browser window
  // still being destroyed can deadlock the caller here.
  const size_t open = cefsim::OpenBrowserCount();
  if (open > 0) {
    LOG(ERROR) << "CefShutdown with " << open
               << " browser(s) still open: close each and wait for "
                  "OnBeforeClose first";
  }
  cefsim::StopClosingBrowsersWithDestroyedWindows();
  cefsim::CloseAllBrowsers();
  cefsim::TerminateAllRenderProcesses();
  // Requests still in flight end before the IO thread does, their handlers
  // cancelled as CEF cancels them at shutdown.
  cefsim::RunOnNamedThreadAndWait(TID_IO, [] { cefsim::DropAllLoads(); });
  // file: reads under way end here, before the IO thread their answers
  // go to.
  cefsim::StopBlockingPool();
  // The request context, with the factories registered on it, ends here.
  CefClearSchemeHandlerFactories();
  cefsim::StopNamedThread(TID_UI);
  cefsim::StopNamedThread(TID_IO);
  cefsim::StopNamedThread(TID_FILE);
  cefsim::StopNamedThread(TID_PROCESS_LAUNCHER);
  cefsim::StopPlaceholders();
  cefsim::EndRuntime();
}

void CefDoMessageLoopWork() {
  // The UI thread runs by itself; there is no work to pump here.
}

void CefRunMessageLoop() {
  MessageLoopQuit& loop = LoopQuit();
  std::unique_lock<std::mutex> lock(loop.mutex);
  loop.changed.wait(lock, [&loop] { return loop.quit; });
  loop.quit = false;
}

void CefQuitMessageLoop() {
  MessageLoopQuit& loop = LoopQuit();
  {
    std::lock_guard<std::mutex> lock(loop.mutex);
    loop.quit = true;
  }
  loop.changed.notify_all();
}

void CefSetOSModalLoop(bool osModalLoop) {}

void CefEnableHighDPISupport() {}

CefRefPtr<CefCommandLine> CefCommandLine::CreateCommandLine() {
  return new cefsim::CommandLineImpl();
}

CefRefPtr<CefCommandLine> CefCommandLine::GetGlobalCommandLine() {
  return cefsim::GlobalCommandLine().get();
}
