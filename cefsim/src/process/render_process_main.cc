#include "cefsim/src/process/render_process_main.h"

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "include/cef_render_process_handler.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/hello_frame.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

// Set once before the render thread starts, read-only afterwards.
CefRefPtr<CefRenderProcessHandler>* g_handler = nullptr;
Channel* g_channel = nullptr;
FrameOutbox* g_outbox = nullptr;
void (*g_teardown)() = nullptr;

// A script that never ends keeps the render thread busy; the process then
// ends without waiting for it.
constexpr auto kRenderThreadExitGrace = std::chrono::seconds(1);

// glibc's largest mmap threshold on 64-bit systems: blocks up to this size
// come from the heap and are reused.
constexpr int kKeptFreeMemory = 32 << 20;

void EndRenderThread() {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  auto last_task = [done]() {
    if (g_teardown)
      g_teardown();
    done->set_value();
  };
  if (!PostToNamedThread(TID_RENDERER, last_task) ||
      finished.wait_for(kRenderThreadExitGrace) != std::future_status::ready) {
    _exit(0);
  }
  StopNamedThread(TID_RENDERER);
}

}  // namespace

CefRefPtr<CefRenderProcessHandler> RenderProcessHandler() {
  return g_handler ? *g_handler : nullptr;
}

FrameOutbox* RenderProcessChannel() { return g_outbox; }

void SetRenderProcessTeardown(void (*teardown)()) { g_teardown = teardown; }

int RunRenderProcess(CefRefPtr<CefApp> application,
                     CefRefPtr<CommandLineImpl> command_line) {
  // Freed memory stays for reuse, as Chromium's own allocator keeps it.
  // glibc would hand the top of its heap back after each large message is
  // freed and fault it in again for the next: page faults were most of
  // what a long stream of body pieces cost this process.
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
  mallopt(M_MMAP_THRESHOLD, kKeptFreeMemory);
  g_handler = new CefRefPtr<CefRenderProcessHandler>(
      application ? application->GetRenderProcessHandler() : nullptr);
  g_channel = new Channel(kRendererChannelFd);
  if (!g_channel->Send(kFrameHello,
                       EncodeHello(static_cast<int>(getpid()), "renderer",
                                   command_line->ArgvUtf8()))) {
    return 1;
  }
  g_outbox = new FrameOutbox(g_channel);

  StartNamedThread(TID_RENDERER);
  PostToNamedThread(TID_RENDERER, []() {
    CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler();
    if (!handler)
      return;
    handler->OnRenderThreadCreated(CefListValue::Create());
    handler->OnWebKitInitialized();
  });

  Frame frame;
  while (g_channel->Receive(&frame)) {
    // A frame this process does not understand means the browser process
    // speaks another protocol; nothing after it can be trusted.
    if (!DispatchRendererFrame(frame.kind, frame.payload))
      break;
  }
  EndRenderThread();
  // What the render thread sent last still leaves; the outbox stays, closed,
  // for any late sender.
  g_outbox->Close();
  return 0;
}

}  // namespace cefsim
