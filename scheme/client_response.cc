#include "scheme/client_response.h"

#include <algorithm>
#include <cstring>

#include "scheme/archive_reading.h"
#include "scheme/file_body.h"
#include "scheme/internal_folder.h"
#include "scheme/mime_types.h"
#include "scheme/not_found_page.h"
#include "scheme/read_piece_size.h"

namespace zubrix {
namespace {

// The one place where a request ends in the not-found page.
ClientResponse NotFound(const std::string& name, const std::string& reason) {
  ClientResponse response;
  response.mime_type = &HtmlMimeType();
  response.first_bytes = NotFoundPage(name);
  response.length = static_cast<int64_t>(response.first_bytes.size());
  response.not_found_reason = reason;
  return response;
}

std::string WhyNoEntry(const ClientRoute& route,
                       ArchiveEntryStream::Failure failure) {
  if (!route.has_entry_name)
    return "no entry named after the archive " + route.archive_path;
  const std::string entry =
      "'" + route.entry_name + "' in " + route.archive_path;
  switch (failure) {
    case ArchiveEntryStream::Failure::kNoArchive:
      return "no archive at " + route.archive_path;
    case ArchiveEntryStream::Failure::kNotAnArchive:
      return "not a ZIP archive: " + route.archive_path;
    case ArchiveEntryStream::Failure::kNoEntry:
      return "no entry " + entry;
    case ArchiveEntryStream::Failure::kDamaged:
      break;
  }
  return "damaged entry " + entry;
}

// Reads up to |first_read_size| bytes of |source| into |response|; the
// source stays as the rest only when bytes remain. False when it is broken.
bool ReadFirstBytes(std::unique_ptr<BodySource> source,
                    size_t first_read_size, ClientResponse* response) {
  response->length = source->length();
  std::string& bytes = response->first_bytes;
  bytes.resize(static_cast<size_t>(std::min<int64_t>(
      source->length(), static_cast<int64_t>(first_read_size))));
  size_t filled = 0;
  char spare = 0;
  for (;;) {
    size_t count = 0;
    const size_t room = std::min(bytes.size() - filled, kReadPieceSize);
    // A body that fits still gets one more read, so that it is known whole
    // (or broken) before it is answered.
    const BodySource::Piece piece =
        room > 0 ? source->Read(&bytes[filled], room, &count)
                 : source->Read(&spare, 1, &count);
    if (piece == BodySource::Piece::kBroken)
      return false;
    if (piece == BodySource::Piece::kEnd)
      break;
    filled += count;
    if (filled == bytes.size() &&
        static_cast<int64_t>(filled) < source->length()) {
      response->rest = std::move(source);
      break;
    }
  }
  bytes.resize(filled);
  return true;
}

ClientResponse OpenArchiveEntry(const ClientRoute& route,
                                size_t first_read_size) {
  std::unique_ptr<ArchiveEntryStream> entry(new ArchiveEntryStream());
  ClientResponse response;
  // Broken in its first bytes, an entry that opened is damaged.
  ArchiveEntryStream::Failure failure = ArchiveEntryStream::Failure::kDamaged;
  if (!route.has_entry_name ||
      !entry->Open(route.archive_path, route.entry_name, &failure) ||
      !ReadFirstBytes(std::move(entry), first_read_size, &response))
    return NotFound(route.archive_path, WhyNoEntry(route, failure));
  // The entry's own name gives the type, never the archive's path.
  response.mime_type = &GetMimeType(route.entry_name);
  return response;
}

ClientResponse OpenInternalFile(const ClientRoute& route,
                                size_t first_read_size) {
  const std::string& relative_path = route.relative_path;
  const char* const folder = InternalContentFolder();
  const size_t folder_length = strlen(folder);
  std::string file_path;
  file_path.reserve(folder_length + 1 + relative_path.size());
  file_path.append(folder, folder_length).append(1, '/').append(relative_path);
  std::unique_ptr<FileBody> file(new FileBody());
  ClientResponse response;
  // Without a folder nothing is read, rather than the file system's root;
  // nothing is read from above the folder; and a NUL, which would end the
  // name early, names no file.
  if (folder_length == 0) {
    return NotFound(file_path,
                    "no internal content folder: CEF_PLOVEX_INTERNAL is not "
                    "set");
  }
  if (ClimbsAboveFolder(relative_path))
    return NotFound(file_path, "the path climbs above the internal folder");
  if (relative_path.find('\0') != std::string::npos)
    return NotFound(file_path, "the path holds a NUL character");
  if (!file->Open(file_path))
    return NotFound(file_path, "no file " + file_path);
  if (!ReadFirstBytes(std::move(file), first_read_size, &response))
    return NotFound(file_path, "the file changed while read: " + file_path);
  // The whole path, folder names included, gives the type.
  response.mime_type = &GetMimeType(file_path);
  return response;
}

}  // namespace

ClientResponse OpenClientResponse(const ClientRoute& route,
                                  size_t first_read_size) {
  switch (route.kind) {
    case ClientRoute::Kind::kArchive:
      return OpenArchiveEntry(route, first_read_size);
    case ClientRoute::Kind::kFolder:
      return OpenInternalFile(route, first_read_size);
    case ClientRoute::Kind::kNone:
      break;
  }
  return NotFound(std::string(), "no route");
}

}  // namespace zubrix
