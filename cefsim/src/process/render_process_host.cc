#include "cefsim/src/process/render_process_host.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cefsim/src/command_line/command_line_impl.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/threads/named_threads.h"

extern char** environ;

namespace cefsim {
namespace {

std::atomic<int> next_client_id{1};

// How long a process whose channel closed may take to exit by itself.
constexpr auto kExitGrace = std::chrono::milliseconds(2000);

struct HostList {
  std::mutex mutex;
  std::vector<std::shared_ptr<RenderProcessHost>> hosts;
};

HostList& Hosts() {
  static auto* hosts = new HostList();
  return *hosts;
}

CefRefPtr<CommandLineImpl> RendererCommandLine(const std::string& executable,
                                               int client_id) {
  CefRefPtr<CommandLineImpl> command_line = new CommandLineImpl();
  command_line->SetProgram(executable);
  command_line->AppendSwitchWithValue("type", "renderer");
  command_line->AppendSwitchWithValue("renderer-client-id",
                                      std::to_string(client_id));
  return command_line;
}

// Starts |argv| with |channel_fd| as the child's channel descriptor.
pid_t Spawn(const std::vector<std::string>& argv, int channel_fd) {
  // dup2 onto the same number would keep close-on-exec set.
  if (channel_fd == kRendererChannelFd) {
    int moved = fcntl(channel_fd, F_DUPFD_CLOEXEC, kRendererChannelFd + 1);
    close(channel_fd);
    channel_fd = moved;
  }
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel_fd, kRendererChannelFd);
  // Only the channel goes to the child: a descriptor the host's libraries
  // left inheritable (a pipe another process waits on to close, say) must
  // not be kept open by a render process.
  posix_spawn_file_actions_addclosefrom_np(&actions, kRendererChannelFd + 1);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
    pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(channel_fd);
  return pid;
}

}  // namespace

std::shared_ptr<RenderProcessHost> RenderProcessHost::Launch(
    const std::string& executable,
    CefRefPtr<CefBrowserProcessHandler> handler) {
  int client_id = next_client_id++;
  CefRefPtr<CommandLineImpl> command_line =
      RendererCommandLine(executable, client_id);
  if (handler)
    handler->OnBeforeChildProcessLaunch(command_line.get());
  int parent_fd, child_fd;
  if (!Channel::CreatePair(&parent_fd, &child_fd))
    return nullptr;
  pid_t pid = Spawn(command_line->ArgvUtf8(), child_fd);
  if (pid < 0) {
    close(parent_fd);
    return nullptr;
  }
  std::shared_ptr<RenderProcessHost> host(
      new RenderProcessHost(client_id, pid, parent_fd));
  host->Start();
  AddRenderProcess(host);
  return host;
}

RenderProcessHost::RenderProcessHost(int id, pid_t pid, int fd)
    : id_(id), pid_(pid), channel_(fd) {}

RenderProcessHost::~RenderProcessHost() {
  channel_.Shutdown();
  outbox_.Close();
  Reap(std::chrono::milliseconds(0));
}

void RenderProcessHost::Start() {
  // The watch keeps the host alive for as long as its channel is read.
  std::shared_ptr<RenderProcessHost> self = shared_from_this();
  if (!PostToNamedThread(TID_IO, [self] {
        if (!WatchReadableOnIoThread(self->channel_.fd(),
                                     [self] { self->OnReadable(); }))
          self->OnChannelEnded();
      }))
    OnChannelEnded();
}

bool RenderProcessHost::Send(uint32_t kind, const std::string& payload) {
  if (!alive_)
    return false;
  // Chromium's channel sends from the IO thread: what other threads send
  // waits behind whatever holds that thread up, and keeps its order.
  if (CurrentlyOnNamedThread(TID_IO))
    return outbox_.SendAtOnce(kind, payload);
  std::shared_ptr<RenderProcessHost> self = shared_from_this();
  if (PostToNamedThread(TID_IO, [self, kind, payload] {
        self->outbox_.SendAtOnce(kind, payload);
      }))
    return true;
  return outbox_.Send(kind, payload);
}

void RenderProcessHost::AddExitCallback(ExitCallback callback) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!exited_) {
    exit_callbacks_.push_back(std::move(callback));
    return;
  }
  lock.unlock();
  if (callback)
    callback();
}

bool RenderProcessHost::ExitStatus(int* status) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (status_known_)
    *status = wait_status_;
  return status_known_;
}

void RenderProcessHost::MarkReady() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ready_ = true;
  }
  ready_changed_.notify_all();
}

bool RenderProcessHost::WaitUntilReady(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_changed_.wait_for(lock, timeout, [this] { return ready_ || exited_; });
  return ready_ && !exited_;
}

void RenderProcessHost::OnReadable() {
  std::shared_ptr<RenderProcessHost> self = shared_from_this();
  Frame frame;
  while (true) {
    const Channel::Incoming incoming = channel_.ReceiveAvailable(&frame);
    if (incoming == Channel::Incoming::kNothingYet)
      return;
    if (incoming == Channel::Incoming::kEnded)
      break;
    if (!DispatchBrowserFrame(frame.kind, self, frame.payload)) {
      // A frame nobody knows: the peer is broken, and nothing it sends later
      // can be trusted.
      Kill();
      break;
    }
  }
  OnChannelEnded();
}

void RenderProcessHost::OnChannelEnded() {
  StopWatchingOnIoThread(channel_.fd());
  // A frame over the channel's limit: as Chromium's browser process, which
  // takes the channel error for the render process's end.
  if (channel_.broken())
    Kill();
  alive_ = false;
  // Waiting for the process holds up neither the IO thread nor the file
  // thread: as Chromium, on the launcher.
  std::shared_ptr<RenderProcessHost> self = shared_from_this();
  if (!PostToNamedThread(TID_PROCESS_LAUNCHER, [self] { self->Finish(); }))
    Finish();
}

void RenderProcessHost::Finish() {
  // The end of the stream means the process is ending; its exit status
  // tells the callbacks how.
  Reap(kExitGrace);
  std::vector<ExitCallback> callbacks;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    exited_ = true;
    callbacks.swap(exit_callbacks_);
  }
  ready_changed_.notify_all();
  // After the frames already handled on the IO thread.
  std::function<void()> run = [callbacks]() {
    for (const ExitCallback& callback : callbacks) {
      if (callback)
        callback();
    }
  };
  if (!PostToNamedThread(TID_IO, run))
    run();
}

void RenderProcessHost::Reap(std::chrono::milliseconds grace) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (reaped_) {
      // Another thread reaps; its status is the one to wait for.
      status_changed_.wait(lock, [this] { return status_known_; });
      return;
    }
    reaped_ = true;
  }
  auto deadline = std::chrono::steady_clock::now() + grace;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    wait_status_ = status;
    status_known_ = true;
  }
  status_changed_.notify_all();
}

void RenderProcessHost::Terminate() {
  // Closing the channel tells the render process to end.
  channel_.Shutdown();
  Reap(std::chrono::milliseconds(2000));
  std::lock_guard<std::mutex> lock(Hosts().mutex);
  auto& hosts = Hosts().hosts;
  for (auto it = hosts.begin(); it != hosts.end(); ++it) {
    if (it->get() == this) {
      hosts.erase(it);
      break;
    }
  }
}

void RenderProcessHost::Kill() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!reaped_)
    kill(pid_, SIGKILL);
}

void AddRenderProcess(const std::shared_ptr<RenderProcessHost>& host) {
  std::lock_guard<std::mutex> lock(Hosts().mutex);
  Hosts().hosts.push_back(host);
}

std::vector<std::shared_ptr<RenderProcessHost>> RenderProcesses() {
  std::lock_guard<std::mutex> lock(Hosts().mutex);
  return Hosts().hosts;
}

std::shared_ptr<RenderProcessHost> FindRenderProcess(pid_t pid) {
  for (const auto& host : RenderProcesses()) {
    if (host->pid() == pid)
      return host;
  }
  return nullptr;
}

void TerminateAllRenderProcesses() {
  for (const auto& host : RenderProcesses())
    host->Terminate();
}

}  // namespace cefsim
