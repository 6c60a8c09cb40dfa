#include "scheme/plovex_client_scheme_handler.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "include/wrapper/cef_helpers.h"
#include "scheme/archive_reading.h"
#include "scheme/client_route.h"
#include "scheme/file_body.h"
#include "scheme/internal_folder.h"
#include "scheme/mime_types.h"
#include "scheme/not_found_page.h"
#include "scheme/not_found_reports.h"

namespace zubrix {
namespace {

std::string WhyNoEntry(const std::string& archive_path,
                       bool has_entry_name,
                       const std::string& entry_name,
                       bool too_large,
                       ArchiveEntryFailure failure) {
  if (!has_entry_name)
    return "no entry named after the archive " + archive_path;
  const std::string entry = "'" + entry_name + "' in " + archive_path;
  if (too_large)
    return "entry " + entry + " is too large to hold";
  switch (failure) {
    case ArchiveEntryFailure::kNoArchive:
      return "no archive at " + archive_path;
    case ArchiveEntryFailure::kNotAnArchive:
      return "not a ZIP archive: " + archive_path;
    case ArchiveEntryFailure::kNoEntry:
      return "no entry " + entry;
    case ArchiveEntryFailure::kDamaged:
      break;
  }
  return "damaged entry " + entry;
}

}  // namespace

bool PlovexClientSchemeHandler::ProcessRequest(
    CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  const CefString url = request->GetURL();
  const ClientRoute route = RouteClientUrl(url);
  switch (route.kind) {
    case ClientRoute::Kind::kArchive:
      return ServeArchiveEntry(url, route.archive_path, route.has_entry_name,
                               route.entry_name, callback.get());
    case ClientRoute::Kind::kFolder:
      return ServeInternalFile(url, route.relative_path, callback.get());
    case ClientRoute::Kind::kNone:
      break;
  }
  // Cancelled, as ever; the tool developer still hears why.
  ReportNotFound(url.ToString(),
                 "no route: client: URLs begin client://internal/ or "
                 "client://plovex/");
  return false;
}

bool PlovexClientSchemeHandler::ServeArchiveEntry(
    const CefString& url,
    const std::string& archive_path,
    bool has_entry_name,
    const std::string& entry_name,
    CefCallback* callback) {
  // The entry's own name gives the type, never the archive's path.
  mime_type_ = &GetMimeType(entry_name);
  bool read = false;
  ArchiveEntryFailure failure = ArchiveEntryFailure::kNoEntry;
  bool too_large = false;
  try {
    read = has_entry_name &&
           ReadArchiveEntry(archive_path, entry_name, &data_, &failure);
  } catch (const std::bad_alloc&) {
    // An entry too large to hold is not served; the host goes on.
    std::string().swap(data_);
    too_large = true;
  } catch (const std::length_error&) {
    std::string().swap(data_);
    too_large = true;
  }
  if (read) {
    callback->Continue();
    return true;
  }
  ReportNotFound(url.ToString(),
                 WhyNoEntry(archive_path, has_entry_name, entry_name,
                            too_large, failure));
  return ServeNotFound(archive_path, callback);
}

bool PlovexClientSchemeHandler::ServeInternalFile(
    const CefString& url,
    const std::string& relative_path,
    CefCallback* callback) {
  const char* const folder = InternalContentFolder();
  const size_t folder_length = strlen(folder);
  std::string file_path;
  file_path.reserve(folder_length + 1 + relative_path.size());
  file_path.append(folder, folder_length).append(1, '/').append(relative_path);
  // Without a folder nothing is read, rather than the file system's root;
  // nothing is read from above the folder; and a NUL, which would end the
  // name early, names no file.
  std::string reason;
  if (folder_length == 0)
    reason = "no internal content folder: CEF_PLOVEX_INTERNAL is not set";
  else if (ClimbsAboveFolder(relative_path))
    reason = "the path climbs above the internal content folder";
  else if (relative_path.find('\0') != std::string::npos)
    reason = "the path holds a NUL character";
  else if (!file_.Open(file_path))
    reason = "no file " + file_path;
  if (!reason.empty()) {
    ReportNotFound(url.ToString(), reason);
    return ServeNotFound(file_path, callback);
  }
  // The whole path, folder names included, gives the type.
  mime_type_ = &GetMimeType(file_path);
  callback->Continue();
  return true;
}

bool PlovexClientSchemeHandler::ServeNotFound(const std::string& name,
                                              CefCallback* callback) {
  mime_type_ = &HtmlMimeType();
  data_ = NotFoundPage(name);
  callback->Continue();
  return true;
}

void PlovexClientSchemeHandler::GetResponseHeaders(
    CefRefPtr<CefResponse> response,
    int64& response_length,
    CefString& redirectUrl) {
  CEF_REQUIRE_IO_THREAD();
  if (mime_type_)
    response->SetMimeType(*mime_type_);
  response->SetStatus(200);
  response_length = file_.is_open() ? static_cast<int64>(file_.length())
                                    : static_cast<int64>(data_.size());
}

bool PlovexClientSchemeHandler::ReadResponse(void* data_out,
                                             int bytes_to_read,
                                             int& bytes_read,
                                             CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  bytes_read = 0;
  // Worked out in size_t, so that bodies past 2 GiB are served too; a
  // negative request copies nothing.
  const size_t wanted = static_cast<size_t>(std::max(bytes_to_read, 0));
  if (file_.is_open())
    return ReadFromFile(data_out, wanted, bytes_read, callback.get());
  if (offset_ >= data_.size())
    return false;
  const size_t count = std::min(wanted, data_.size() - offset_);
  memcpy(data_out, data_.data() + offset_, count);
  offset_ += count;
  bytes_read = static_cast<int>(count);
  return true;
}

bool PlovexClientSchemeHandler::ReadFromFile(void* data_out,
                                             size_t wanted,
                                             int& bytes_read,
                                             CefCallback* callback) {
  if (file_.remaining() == 0) {
    file_.Close();
    return false;
  }
  if (wanted == 0)
    return true;
  const size_t count = file_.Read(data_out, wanted);
  if (count == 0) {
    // Cut short or unreadable while served: the length is already
    // promised, so the request fails rather than end early as if whole.
    file_.Close();
    callback->Cancel();
    return true;
  }
  bytes_read = static_cast<int>(count);
  return true;
}

void PlovexClientSchemeHandler::Cancel() {
  CEF_REQUIRE_IO_THREAD();
  file_.Close();
}

}  // namespace zubrix
