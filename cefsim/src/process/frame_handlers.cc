#include "cefsim/src/process/frame_handlers.h"

#include <map>
#include <mutex>

#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

template <class Handler>
struct HandlerTable {
  std::mutex mutex;
  std::map<uint32_t, Handler> handlers;

  void Set(uint32_t kind, Handler handler) {
    std::lock_guard<std::mutex> lock(mutex);
    handlers[kind] = std::move(handler);
  }

  Handler Find(uint32_t kind) {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = handlers.find(kind);
    return it == handlers.end() ? Handler() : it->second;
  }
};

HandlerTable<BrowserFrameHandler>& BrowserTable() {
  static auto* table = new HandlerTable<BrowserFrameHandler>();
  return *table;
}

HandlerTable<RendererFrameHandler>& RendererTable() {
  static auto* table = new HandlerTable<RendererFrameHandler>();
  return *table;
}

}  // namespace

void SetBrowserFrameHandler(uint32_t kind, BrowserFrameHandler handler) {
  BrowserTable().Set(kind, std::move(handler));
}

void SetRendererFrameHandler(uint32_t kind, RendererFrameHandler handler) {
  RendererTable().Set(kind, std::move(handler));
}

bool DispatchBrowserFrame(uint32_t kind,
                          const std::shared_ptr<RenderProcessHost>& host,
                          const std::string& payload) {
  BrowserFrameHandler handler = BrowserTable().Find(kind);
  if (!handler)
    return false;
  if (CurrentlyOnNamedThread(TID_IO)) {
    handler(host, payload);
    return true;
  }
  std::function<void()> task = [handler, host, payload] {
    handler(host, payload);
  };
  if (!PostToNamedThread(TID_IO, task))
    task();
  return true;
}

bool DispatchRendererFrame(uint32_t kind, const std::string& payload) {
  RendererFrameHandler handler = RendererTable().Find(kind);
  if (!handler)
    return false;
  handler(payload);
  return true;
}

}  // namespace cefsim
