// Serves one URL the way CEF's request job drives a CefResourceHandler on
// the IO thread (CefResourceRequestJob): ProcessRequest, GetResponseHeaders
// once the handler has continued, then ReadResponse until it reports the
// end, a read that found nothing resumed at the callback's Continue. A load
// that is dropped (its page navigates away, its browser closes, CEF shuts
// down) gives the handler Cancel unless it had finished; afterwards the
// request's callbacks do nothing, and the handler is let go.
#ifndef CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_
#define CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_

#include <cstdint>
#include <functional>
#include <string>

#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/internal/cef_types.h"

namespace cefsim {

struct LoadResult {
  // False when the request failed or was cancelled; |error| then says why.
  bool ok = false;
  cef_errorcode_t error = ERR_NONE;
  // The URL finally served, after any redirects.
  std::string url;
  int status = 0;
  std::string mime_type;
  // The body, or what is left of it after the pieces handed to the load's
  // body sink.
  std::string body;
};

struct LoadOptions {
  // Who the load is for, so that it can be dropped with them.
  int browser_id = 0;
  int64_t frame_id = 0;
  // When set, the body goes here in pieces as it comes (on the IO thread),
  // so that a large body is never held whole. Only a few pieces go ahead of
  // their reader's word that it took them in (BodyPieceTakenIn), as
  // Chromium's AsyncResourceHandler sends no more than its shared buffer
  // holds before the renderer acknowledges: a slow reader slows the read,
  // and nothing piles up in between.
  std::function<void(std::string piece)> body_pieces;
  // When set, told the response's type once its headers are in, before
  // any piece.
  std::function<void(const std::string& mime_type)> response_started;
  // Who reads the pieces: a render process and its number for the request.
  int reader_process_id = 0;
  int reader_request_id = 0;
};

// Runs on TID_IO (at once when called there) and calls |done| there once.
// When no IO thread runs, |done| is called at once on the calling thread
// with ERR_ABORTED.
void LoadResource(const std::string& url,
                  CefRefPtr<CefBrowser> browser,
                  CefRefPtr<CefFrame> frame,
                  cef_resource_type_t resource_type,
                  std::function<void(LoadResult)> done,
                  LoadOptions options = LoadOptions());

// IO thread. Drops the loads of |browser_id| (of its frame |frame_id| only,
// unless that is 0), or every load; each ends with ERR_ABORTED.
void DropLoads(int browser_id, int64_t frame_id);
void DropAllLoads();

// IO thread. The reader of a load's body pieces took one in; a load that
// waits for room reads on.
void BodyPieceTakenIn(int reader_process_id, int reader_request_id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_
