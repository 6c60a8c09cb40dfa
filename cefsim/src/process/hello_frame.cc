#include "cefsim/src/process/hello_frame.h"

#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/wire_format.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/records/process_records.h"

namespace cefsim {
namespace {

void OnHello(const std::shared_ptr<RenderProcessHost>& host,
             const std::string& payload) {
  WireReader reader(payload);
  cefsim_inspect::ProcessRecord record;
  record.pid = reader.I32();
  record.type = reader.Utf8();
  record.argv = reader.Utf8List();
  // The pid is the one we started, whatever the peer claims.
  if (!reader.ok() || record.pid != host->pid())
    return;
  RecordProcess(record);
  host->AddExitCallback([pid = record.pid]() { RecordProcessExit(pid); });
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
