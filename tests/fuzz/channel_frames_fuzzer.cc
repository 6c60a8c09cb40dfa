// Tests the stand-in's own IPC code, not the system's: it uses its internals.
// Whatever bytes a render process writes to its channel, the browser
// process's reading of them must neither crash, hang nor leak: frames as the
// channel splits them, hello frames through their handler, process messages
// through their decoder.
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "cefsim/src/ipc/channel.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_host.h"

namespace {

// The socket buffer holds at least this much, so that one write never blocks.
constexpr size_t kMaxInput = 64 * 1024;

// A real host for the handlers to look at; its process exits at once.
const std::shared_ptr<cefsim::RenderProcessHost>& Host() {
  static auto* host = new std::shared_ptr<cefsim::RenderProcessHost>(
      cefsim::RenderProcessHost::Launch("/bin/true", nullptr));
  if (!*host)
    abort();
  return *host;
}

// As the host's reader does: a frame of a kind nobody handles ends reading.
void ReadAll(cefsim::Channel* channel) {
  cefsim::Frame frame;
  while (channel->Receive(&frame)) {
    if (frame.kind == cefsim::kFrameProcessMessage) {
      int browser_id = 0;
      CefRefPtr<CefProcessMessage> message =
          cefsim::DecodeProcessMessage(frame.payload, &browser_id);
      if (message && !message->GetArgumentList())
        abort();
      continue;
    }
    if (!cefsim::DispatchBrowserFrame(frame.kind, Host(), frame.payload))
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput)
    return 0;
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0)
    abort();
  if (size > 0 && write(fds[1], data, size) != static_cast<ssize_t>(size))
    abort();
  // The peer goes away after its last byte, as a crashed renderer would.
  close(fds[1]);
  cefsim::Channel channel(fds[0]);
  ReadAll(&channel);
  return 0;
}
