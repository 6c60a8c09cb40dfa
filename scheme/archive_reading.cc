#include "scheme/archive_reading.h"

#include "include/cef_stream.h"
#include "include/wrapper/cef_zip_archive.h"

namespace zubrix {

bool ReadArchiveEntry(const std::string& archive_path,
                      const std::string& entry_name, std::string* body) {
  CefRefPtr<CefStreamReader> stream =
      CefStreamReader::CreateForFile(archive_path);
  // Without a stream, or for a file that is no ZIP archive, nothing loads.
  CefRefPtr<CefZipArchive> archive(new CefZipArchive());
  if (stream)
    archive->Load(stream, CefString(), false);
  CefRefPtr<CefZipArchive::File> file = archive->GetFile(entry_name);
  if (!file)
    return false;
  body->assign(reinterpret_cast<const char*>(file->GetData()),
               file->GetDataSize());
  return true;
}

}  // namespace zubrix
