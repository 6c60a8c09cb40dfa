#include "scheme/archive_reading.h"

#include <set>
#include <vector>

#include "include/base/cef_string16.h"
#include "include/cef_stream.h"
#include "include/cef_zip_reader.h"

namespace zubrix {
namespace {

const size_t kReadPieceSize = 65536;

// CefZipArchive's key for a name: ASCII letters in lower case, nothing else
// changed.
base::string16 ArchiveKey(const CefString& name) {
  base::string16 key = name.ToString16();
  for (base::char16& c : key) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<base::char16>(c - 'A' + 'a');
  }
  return key;
}

// Inflates the entry the reader stands on, appending its bytes to |body|
// when there is one. False where CefZipArchive stops loading: the entry does
// not open, a read fails, it fails its checksum or its size is not the one
// declared.
bool InflateEntry(CefRefPtr<CefZipReader> reader, int64 declared_size,
                  std::vector<char>* piece, std::string* body) {
  if (!reader->OpenFile(CefString()))
    return false;
  int64 total = 0;
  bool ok = true;
  while (true) {
    const int read = reader->ReadFile(piece->data(), piece->size());
    if (read <= 0) {
      ok = read == 0;
      break;
    }
    total += read;
    if (body)
      body->append(piece->data(), static_cast<size_t>(read));
  }
  const bool closed = reader->CloseFile();
  return ok && closed && total == declared_size;
}

}  // namespace

bool ReadArchiveEntry(const std::string& archive_path,
                      const std::string& entry_name, std::string* body) {
  CefRefPtr<CefStreamReader> stream =
      CefStreamReader::CreateForFile(archive_path);
  if (!stream)
    return false;
  CefRefPtr<CefZipReader> reader = CefZipReader::Create(stream);
  if (!reader || !reader->MoveToFirstFile())
    return false;
  const base::string16 wanted = ArchiveKey(entry_name);
  // The keys a full load would hold so far: a later entry with one of them
  // is passed over unread, as the first one stays.
  std::set<base::string16> loaded;
  std::vector<char> piece(kReadPieceSize);
  bool found = false;
  do {
    // Zero-byte entries, folders among them, are never loaded.
    const int64 size = reader->GetFileSize();
    if (size <= 0)
      continue;
    base::string16 key = ArchiveKey(reader->GetFileName());
    if (key == wanted) {
      std::string contents;
      found = InflateEntry(reader, size, &piece, &contents);
      if (found)
        *body = std::move(contents);
      break;
    }
    if (loaded.count(key))
      continue;
    // An earlier entry that would stop a full load before the wanted one
    // means the wanted one is not found: it must be inflated to know.
    if (!InflateEntry(reader, size, &piece, nullptr))
      break;
    loaded.insert(std::move(key));
  } while (reader->MoveToNextFile());
  reader->Close();
  return found;
}

}  // namespace zubrix
