#include "render/resource_fetcher.h"

#include <map>

#include "ipc/frame_kinds.h"
#include "process/frame_handlers.h"
#include "process/render_process_main.h"
#include "threads/named_threads.h"

namespace cefsim {
namespace {

// Owned by the render thread.
int last_request_id = 0;
std::map<int, FetchDone>& Pending() {
  static auto* pending = new std::map<int, FetchDone>();
  return *pending;
}

void OnResponse(const std::string& payload) {
  ResourceResponseMessage response;
  if (!Decode(payload, &response))
    return;
  PostToNamedThread(TID_RENDERER, [response]() {
    auto it = Pending().find(response.request_id);
    if (it == Pending().end())
      return;
    FetchDone done = std::move(it->second);
    Pending().erase(it);
    done(response);
  });
}

const bool registered =
    (SetRendererFrameHandler(kFrameResourceResponse, OnResponse), true);

}  // namespace

void FetchResource(int browser_id, int64_t frame_id, const std::u16string& url,
                   cef_resource_type_t type, FetchDone done) {
  ResourceRequestMessage request;
  request.request_id = ++last_request_id;
  request.browser_id = browser_id;
  request.frame_id = frame_id;
  request.resource_type = type;
  request.url = url;
  Pending()[request.request_id] = std::move(done);
  RenderProcessChannel()->Send(kFrameResourceRequest, Encode(request));
}

}  // namespace cefsim
