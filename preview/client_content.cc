#include "preview/client_content.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include "scheme/archive_reading.h"
#include "scheme/client_route.h"
#include "scheme/file_body.h"
#include "scheme/internal_folder.h"
#include "scheme/mime_types.h"
#include "scheme/not_found_page.h"
#include "scheme/read_piece_size.h"

namespace zubrix {
namespace {

// A folder file is held whole; a larger one fails its request rather than
// take the preview's memory (the host streams such files).
const int64_t kMostHeldWhole = int64_t{256} << 20;

ClientContent NotFound(const std::string& name) {
  ClientContent content;
  content.outcome = ClientContent::Outcome::kServed;
  content.mime_type = HtmlMimeType().ToString();
  content.body = NotFoundPage(name);
  return content;
}

ClientContent ReadArchive(const ClientRoute& route) {
  ClientContent content;
  bool read = false;
  try {
    read = route.has_entry_name &&
           ReadArchiveEntry(route.archive_path, route.entry_name,
                            &content.body);
  } catch (const std::bad_alloc&) {
    read = false;
  } catch (const std::length_error&) {
    read = false;
  }
  if (!read)
    return NotFound(route.archive_path);
  content.outcome = ClientContent::Outcome::kServed;
  // The entry's own name gives the type, never the archive's path.
  content.mime_type = GetMimeType(route.entry_name).ToString();
  return content;
}

// The file whole, as long as it was when opened; false when it ended early
// or is too large to hold.
bool ReadWhole(FileBody* file, std::string* body) {
  try {
    std::vector<char> piece(kReadPieceSize);
    while (file->remaining() > 0) {
      const size_t count = file->Read(piece.data(), piece.size());
      if (count == 0)
        return false;
      body->append(piece.data(), count);
    }
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

ClientContent ReadFolder(const ClientRoute& route) {
  const std::string folder = InternalContentFolder();
  const std::string file_path = folder + "/" + route.relative_path;
  FileBody file;
  // Nothing from the file system's root when no folder is set, nothing from
  // above the folder, and no name cut short by a NUL.
  if (folder.empty() || ClimbsAboveFolder(route.relative_path) ||
      route.relative_path.find('\0') != std::string::npos ||
      !file.Open(file_path))
    return NotFound(file_path);
  ClientContent content;
  content.mime_type = GetMimeType(file_path).ToString();
  if (file.length() <= kMostHeldWhole && ReadWhole(&file, &content.body)) {
    content.outcome = ClientContent::Outcome::kServed;
  } else {
    content.outcome = ClientContent::Outcome::kFailed;
    std::string().swap(content.body);
  }
  return content;
}

}  // namespace

ClientContent ReadClientContent(const CefString& url) {
  const ClientRoute route = RouteClientUrl(url);
  switch (route.kind) {
    case ClientRoute::Kind::kArchive:
      return ReadArchive(route);
    case ClientRoute::Kind::kFolder:
      return ReadFolder(route);
    case ClientRoute::Kind::kNone:
      break;
  }
  return ClientContent();
}

}  // namespace zubrix
