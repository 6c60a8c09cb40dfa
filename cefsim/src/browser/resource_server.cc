#include "cefsim/src/browser/resource_server.h"

#include <memory>
#include <string>
#include <utility>

#include "cefsim/src/fetch/blocking_pool.h"
#include "cefsim/src/fetch/data_url.h"
#include "cefsim/src/fetch/file_url.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/threads/named_threads.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
namespace {

constexpr char kDevToolsPage[] =
    "<!DOCTYPE html><html><head><title>DevTools</title></head></html>";

ResourceResponseMessage Failed(const ResourceRequestMessage& request,
                               cef_errorcode_t error) {
  ResourceResponseMessage response;
  response.request_id = request.request_id;
  response.error_code = error;
  return response;
}

ResourceResponseMessage Succeeded(const ResourceRequestMessage& request,
                                  const std::string& mime_type,
                                  std::string body,
                                  const std::string& charset = std::string()) {
  ResourceResponseMessage response;
  response.request_id = request.request_id;
  response.error_code = ERR_NONE;
  response.http_status = 200;
  response.mime_type = mime_type;
  response.charset = charset;
  response.body = std::move(body);
  return response;
}

// Read in the blocking pool, as CEF's file: handler reads, and answered on
// the IO thread.
void ServeLocalFile(const std::string& url,
                    const ResourceRequestMessage& request, ResourceDone done) {
  const std::string path = FileUrlToPath(url);
  if (path.empty()) {
    done(Failed(request, ERR_INVALID_URL));
    return;
  }
  auto read = [path, request, done] {
    auto contents = std::make_shared<std::string>();
    const int error = ReadLocalFile(path, contents.get());
    std::function<void()> answer = [path, request, done, error, contents] {
      if (error != ERR_NONE)
        done(Failed(request, static_cast<cef_errorcode_t>(error)));
      else
        done(Succeeded(request, MimeTypeForPath(path), std::move(*contents)));
    };
    PostToNamedThread(TID_IO, std::move(answer));
  };
  if (!PostToBlockingPool(read))
    done(Failed(request, ERR_ABORTED));
}

}  // namespace

void ServeResource(CefRefPtr<BrowserHostImpl> browser, int process_id,
                   const ResourceRequestMessage& request, ResourceAhead ahead,
                   ResourceDone done) {
  std::string url = cefsim::FromU16String(request.url).ToString();
  std::string scheme = SchemeOf(url);
  if (scheme == "data") {
    DataUrlContent content;
    if (!ParseDataUrl(url, &content)) {
      done(Failed(request, ERR_INVALID_URL));
      return;
    }
    done(Succeeded(request, content.mime_type, std::move(content.body),
                   content.charset));
    return;
  }
  if (scheme == "file") {
    ServeLocalFile(url, request, std::move(done));
    return;
  }
  if (scheme == "chrome-devtools" && browser->is_devtools()) {
    done(Succeeded(request, "text/html", kDevToolsPage));
    return;
  }
  // Everything else is for the registered scheme handler factories. A
  // sub-frame's own document is asked for before the browser knows the
  // frame; the factory then gets no frame.
  CefRefPtr<CefFrame> frame = browser->FindFrame(request.frame_id).get();
  int request_id = request.request_id;
  LoadOptions options;
  options.browser_id = browser->GetIdentifier();
  options.frame_id = request.frame_id;
  options.reader_process_id = process_id;
  options.reader_request_id = request_id;
  // The head goes out only before a body that comes in pieces: a body that
  // comes whole goes with it in one message. IO thread, as the load's
  // callbacks.
  struct PiecedResponse {
    ResourceResponseHeadMessage head;
    bool head_sent = false;
  };
  auto pieced = std::make_shared<PiecedResponse>();
  pieced->head.request_id = request_id;
  options.response_started = [pieced](const std::string& mime_type) {
    pieced->head.mime_type = mime_type;
  };
  options.body_pieces = [pieced, request_id, ahead](std::string piece) {
    if (!pieced->head_sent) {
      ahead(kFrameResourceResponseHead, Encode(pieced->head));
      pieced->head_sent = true;
    }
    ResourceDataMessage data;
    data.request_id = request_id;
    data.body = std::move(piece);
    ahead(kFrameResourceData, Encode(data));
  };
  LoadResource(url, browser.get(), frame,
               static_cast<cef_resource_type_t>(request.resource_type),
               [request_id, done](LoadResult result) {
                 ResourceResponseMessage response;
                 response.request_id = request_id;
                 response.error_code = result.ok ? ERR_NONE : result.error;
                 response.http_status = result.status;
                 response.mime_type = result.mime_type;
                 response.body = std::move(result.body);
                 done(response);
               },
               std::move(options));
}

}  // namespace cefsim
