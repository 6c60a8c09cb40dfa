// What a routed "client" request answers, found on CEF's file thread: the
// type, the length, the first bytes, and where the rest comes from. What
// cannot be read is answered with the not-found page, under status 200 like
// everything else.
#ifndef ZUBRIX_SCHEME_CLIENT_RESPONSE_H_
#define ZUBRIX_SCHEME_CLIENT_RESPONSE_H_

#include <memory>
#include <string>

#include "include/cef_base.h"
#include "scheme/body_source.h"
#include "scheme/client_route.h"

namespace zubrix {

struct ClientResponse {
  // One of the lifelong MIME type texts.
  const CefString* mime_type = nullptr;
  int64_t length = 0;
  // The body's first bytes; the whole body when |rest| is null.
  std::string first_bytes;
  // The bytes after |first_bytes|, when some are left to read.
  std::unique_ptr<BodySource> rest;
};

// Opens what |route| (a folder file or an archive entry) names and reads up
// to |first_read_size| bytes of it. A body that ends within them is checked
// whole before anything is answered: one found broken there (a damaged
// archive entry, a file cut meanwhile) is not found.
ClientResponse OpenClientResponse(const ClientRoute& route,
                                  size_t first_read_size);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_CLIENT_RESPONSE_H_
