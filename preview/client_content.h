// What a "client" URL answers, read whole in one call, by the module's own
// route and readers: for a browser outside the host (the panel preview) that
// serves the scheme itself and must answer exactly as the host's does.
#ifndef ZUBRIX_PREVIEW_CLIENT_CONTENT_H_
#define ZUBRIX_PREVIEW_CLIENT_CONTENT_H_

#include <string>

#include "include/cef_base.h"

namespace zubrix {

struct ClientContent {
  // kRefused: no route (the host's handler does not take the request).
  // kFailed: a body found broken after its first bytes (the host's request
  // is cancelled). kServed: |body| with |mime_type|, the not-found page
  // among them.
  enum class Outcome { kRefused, kServed, kFailed };
  Outcome outcome = Outcome::kRefused;
  std::string mime_type;
  std::string body;
};

// |url| is canonical, as the browser hands it to a scheme handler.
ClientContent ReadClientContent(const CefString& url);

}  // namespace zubrix

#endif  // ZUBRIX_PREVIEW_CLIENT_CONTENT_H_
