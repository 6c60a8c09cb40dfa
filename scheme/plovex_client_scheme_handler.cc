#include "scheme/plovex_client_scheme_handler.h"

#include <algorithm>
#include <cstring>

#include "include/cef_parser.h"
#include "scheme/archive_reading.h"
#include "scheme/client_route.h"
#include "scheme/file_reading.h"
#include "scheme/internal_folder.h"
#include "scheme/mime_types.h"
#include "scheme/not_found_page.h"

bool PlovexClientSchemeHandler::ProcessRequest(
    CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback> callback) {
  // A URL that does not parse leaves the path empty, which has no route.
  CefURLParts parts;
  CefParseURL(request->GetURL(), parts);
  const zubrix::ClientRoute route =
      zubrix::RouteClientPath(CefString(&parts.path).ToString());
  switch (route.kind) {
    case zubrix::ClientRoute::Kind::kArchive:
      return ServeArchiveEntry(route.archive_path, route.has_entry_name,
                               route.entry_name, callback);
    case zubrix::ClientRoute::Kind::kFolder:
      return ServeInternalFile(route.relative_path, callback);
    case zubrix::ClientRoute::Kind::kNone:
      break;
  }
  return false;
}

bool PlovexClientSchemeHandler::ServeArchiveEntry(
    const std::string& archive_path,
    bool has_entry_name,
    const std::string& entry_name,
    CefRefPtr<CefCallback> callback) {
  // The entry's own name gives the type, never the archive's path.
  mime_type_ = zubrix::GetMimeType(entry_name);
  if (!has_entry_name ||
      !zubrix::ReadArchiveEntry(archive_path, entry_name, &data_))
    return ServeNotFound(archive_path, callback);
  callback->Continue();
  return true;
}

bool PlovexClientSchemeHandler::ServeInternalFile(
    const std::string& relative_path,
    CefRefPtr<CefCallback> callback) {
  const std::string folder = zubrix::InternalContentFolder();
  const std::string file_path = folder + "/" + relative_path;
  // Without a folder nothing is read, rather than the file system's root;
  // and nothing is read from above the folder.
  if (folder.empty() || zubrix::ClimbsAboveFolder(relative_path) ||
      !zubrix::ReadInternalFile(file_path, &mime_type_, &data_))
    return ServeNotFound(file_path, callback);
  callback->Continue();
  return true;
}

bool PlovexClientSchemeHandler::ServeNotFound(const std::string& name,
                                              CefRefPtr<CefCallback> callback) {
  mime_type_ = "text/html";
  data_ = zubrix::NotFoundPage(name);
  callback->Continue();
  return true;
}

void PlovexClientSchemeHandler::GetResponseHeaders(
    CefRefPtr<CefResponse> response,
    int64& response_length,
    CefString& redirectUrl) {
  response->SetMimeType(mime_type_);
  response->SetStatus(200);
  response_length = static_cast<int64>(data_.size());
}

bool PlovexClientSchemeHandler::ReadResponse(void* data_out,
                                             int bytes_to_read,
                                             int& bytes_read,
                                             CefRefPtr<CefCallback> callback) {
  bytes_read = 0;
  if (offset_ >= data_.size())
    return false;
  // Worked out in size_t, so that bodies past 2 GiB are served too; a
  // negative request copies nothing.
  const size_t wanted = static_cast<size_t>(std::max(bytes_to_read, 0));
  const size_t count = std::min(wanted, data_.size() - offset_);
  memcpy(data_out, data_.data() + offset_, count);
  offset_ += count;
  bytes_read = static_cast<int>(count);
  return true;
}
