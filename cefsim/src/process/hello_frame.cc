#include "cefsim/src/process/hello_frame.h"

#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/wire_format.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/runtime/runtime_observer.h"

namespace cefsim {
namespace {

void OnHello(const std::shared_ptr<RenderProcessHost>& host,
             const std::string& payload) {
  WireReader reader(payload);
  const int pid = reader.I32();
  const std::string type = reader.Utf8();
  const std::vector<std::string> argv = reader.Utf8List();
  // The pid is the one we started, whatever the peer claims.
  if (!reader.ok() || pid != host->pid())
    return;
  if (RuntimeObserver* observer = CurrentRuntimeObserver()) {
    observer->OnProcessSeen(pid, type, argv);
    host->AddExitCallback([observer, pid]() { observer->OnProcessExited(pid); });
  }
  host->MarkReady();
}

const bool registered = (SetBrowserFrameHandler(kFrameHello, OnHello), true);

}  // namespace

std::string EncodeHello(int pid, const std::string& process_type,
                        const std::vector<std::string>& argv) {
  WireWriter writer;
  writer.I32(pid);
  writer.Utf8(process_type);
  writer.Utf8List(argv);
  return writer.Take();
}

}  // namespace cefsim
