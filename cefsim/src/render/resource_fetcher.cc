#include "cefsim/src/render/resource_fetcher.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

// A request waiting for its response, with the body pieces sent ahead.
// They are joined once, at the response: appending each to one string
// would copy a large body over and over as it grows.
struct PendingFetch {
  FetchDone done;
  cef_resource_type_t type = RT_MAIN_FRAME;
  bool keeps_body = true;
  std::vector<std::string> pieces;
  size_t size = 0;
};

// Owned by the render thread.
int last_request_id = 0;
std::map<int, PendingFetch>& Pending() {
  static auto* pending = new std::map<int, PendingFetch>();
  return *pending;
}

void OnResponseHead(const std::string& payload) {
  ResourceResponseHeadMessage head;
  if (!Decode(payload, &head))
    return;
  PostToNamedThread(TID_RENDERER, [head]() {
    auto it = Pending().find(head.request_id);
    if (it != Pending().end())
      it->second.keeps_body = it->second.type == RT_SCRIPT ||
                              IsHtmlMimeType(head.mime_type);
  });
}

void OnData(const std::string& payload) {
  auto data = std::make_shared<ResourceDataMessage>();
  if (!Decode(payload, data.get()))
    return;
  PostToNamedThread(TID_RENDERER, [data]() {
    auto it = Pending().find(data->request_id);
    if (it != Pending().end() && it->second.keeps_body) {
      it->second.size += data->body.size();
      it->second.pieces.push_back(std::move(data->body));
    }
    // Taken in: the browser may send the next piece.
    ResourceDataAckMessage ack;
    ack.request_id = data->request_id;
    RenderProcessChannel()->Send(kFrameResourceDataAck, Encode(ack));
  });
}

void OnResponse(const std::string& payload) {
  auto response = std::make_shared<ResourceResponseMessage>();
  if (!Decode(payload, response.get()))
    return;
  PostToNamedThread(TID_RENDERER, [response]() {
    auto it = Pending().find(response->request_id);
    if (it == Pending().end())
      return;
    FetchDone done = std::move(it->second.done);
    // A failed response drops what came ahead of it.
    PendingFetch& fetch = it->second;
    if (!fetch.keeps_body) {
      response->body.clear();
    } else if (response->error_code == ERR_NONE && !fetch.pieces.empty()) {
      std::string body;
      body.reserve(fetch.size + response->body.size());
      for (const std::string& piece : fetch.pieces)
        body += piece;
      body += response->body;
      response->body.swap(body);
    }
    Pending().erase(it);
    done(std::move(*response));
  });
}

const bool registered =
    (SetRendererFrameHandler(kFrameResourceResponse, OnResponse),
     SetRendererFrameHandler(kFrameResourceResponseHead, OnResponseHead),
     SetRendererFrameHandler(kFrameResourceData, OnData), true);

}  // namespace

bool IsHtmlMimeType(const std::string& mime_type) {
  const std::string lower = ToLowerAscii(mime_type);
  return lower == "text/html" || lower == "application/xhtml+xml";
}

void FetchResource(int browser_id, int64_t frame_id, const std::u16string& url,
                   cef_resource_type_t type, FetchDone done) {
  ResourceRequestMessage request;
  request.request_id = ++last_request_id;
  request.browser_id = browser_id;
  request.frame_id = frame_id;
  request.resource_type = type;
  request.url = url;
  PendingFetch& fetch = Pending()[request.request_id];
  fetch.done = std::move(done);
  fetch.type = type;
  RenderProcessChannel()->Send(kFrameResourceRequest, Encode(request));
}

}  // namespace cefsim
