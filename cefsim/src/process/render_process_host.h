// The browser process's side of one render process: the child process and
// its channel, which the IO thread reads as Chromium's does, with a thread
// that writes what the socket could not take at once.
#ifndef CEFSIM_SRC_PROCESS_RENDER_PROCESS_HOST_H_
#define CEFSIM_SRC_PROCESS_RENDER_PROCESS_HOST_H_

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_browser_process_handler.h"
#include "cefsim/src/ipc/channel.h"
#include "cefsim/src/ipc/frame_outbox.h"

namespace cefsim {

// The descriptor on which a render process finds its channel, as Chromium
// maps its IPC channel to a fixed descriptor.
constexpr int kRendererChannelFd = 3;

class RenderProcessHost
    : public std::enable_shared_from_this<RenderProcessHost> {
 public:
  using ExitCallback = std::function<void()>;

  // Starts a render process from |executable|. Null when it cannot start.
  static std::shared_ptr<RenderProcessHost> Launch(
      const std::string& executable,
      CefRefPtr<CefBrowserProcessHandler> handler);
  ~RenderProcessHost();

  int id() const { return id_; }
  pid_t pid() const { return pid_; }
  bool alive() const { return alive_; }

  // False once the process is gone. Sent from the IO thread, which never
  // waits on a render process that reads slowly; from another thread the
  // frame is handed to it.
  bool Send(uint32_t kind, const std::string& payload);

  // Each runs once when the process has gone, on the IO thread after the
  // frames it sent (on the launcher thread when no IO thread runs), or at
  // once if it has gone already.
  void AddExitCallback(ExitCallback callback);

  // The process's wait status once it has gone and been reaped; false until
  // then.
  bool ExitStatus(int* status);

  // The render process reported itself ready.
  void MarkReady();
  bool WaitUntilReady(std::chrono::milliseconds timeout);

  // Ends the process: closes the channel, waits a little, then kills it.
  void Terminate();
  // Kills the process at once, as a crash would.
  void Kill();

 private:
  RenderProcessHost(int id, pid_t pid, int fd);
  void Start();
  // IO thread: hands every whole frame that has arrived to its handler.
  void OnReadable();
  // IO thread, or wherever Start found none: nothing more will be read.
  void OnChannelEnded();
  // Launcher thread: waits for the process to end, then runs the exit
  // callbacks.
  void Finish();
  void Reap(std::chrono::milliseconds grace);

  const int id_;
  const pid_t pid_;
  Channel channel_;
  // What the socket did not take at once; closed before |channel_| goes.
  FrameOutbox outbox_{&channel_};
  std::atomic<bool> alive_{true};

  std::mutex mutex_;
  std::condition_variable ready_changed_;
  bool ready_ = false;
  bool exited_ = false;
  bool reaped_ = false;
  bool status_known_ = false;
  int wait_status_ = 0;
  std::condition_variable status_changed_;
  std::vector<ExitCallback> exit_callbacks_;
};

// Every render process that has not been terminated.
void AddRenderProcess(const std::shared_ptr<RenderProcessHost>& host);
std::vector<std::shared_ptr<RenderProcessHost>> RenderProcesses();
std::shared_ptr<RenderProcessHost> FindRenderProcess(pid_t pid);
void TerminateAllRenderProcesses();

}  // namespace cefsim

#endif  // CEFSIM_SRC_PROCESS_RENDER_PROCESS_HOST_H_
