#include "preview/client_content.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include "scheme/client_response.h"
#include "scheme/client_route.h"
#include "scheme/read_piece_size.h"
#include "scheme/streamed_body.h"

namespace zubrix {
namespace {

// A body is held whole; a larger one fails its request rather than take the
// preview's memory (the host streams such bodies).
const int64_t kMostHeldWhole = int64_t{256} << 20;

// The rest of |response|'s body after its first bytes; false when it turned
// out broken (a file cut short, an entry found damaged) or cannot be held.
bool ReadRest(ClientResponse* response, std::string* body) {
  if (!response->rest)
    return true;
  try {
    std::vector<char> piece(kReadPieceSize);
    for (;;) {
      size_t count = 0;
      switch (response->rest->Read(piece.data(), piece.size(), &count)) {
        case BodySource::Piece::kData:
          body->append(piece.data(), count);
          break;
        case BodySource::Piece::kEnd:
          return true;
        case BodySource::Piece::kBroken:
          return false;
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

}  // namespace

ClientContent ReadClientContent(const CefString& url) {
  const ClientRoute route = RouteClientUrl(url);
  ClientContent content;
  if (route.kind == ClientRoute::Kind::kNone)
    return content;
  // The host's own answer, found and first read as its handler does (so a
  // damaged entry is not found where the host's is not), then read whole.
  ClientResponse response =
      OpenClientResponse(route, StreamedBody::kMostBufferedBytes);
  content.mime_type = response.mime_type->ToString();
  content.body.swap(response.first_bytes);
  if (response.length <= kMostHeldWhole && ReadRest(&response, &content.body)) {
    content.outcome = ClientContent::Outcome::kServed;
  } else {
    content.outcome = ClientContent::Outcome::kFailed;
    std::string().swap(content.body);
  }
  return content;
}

}  // namespace zubrix
