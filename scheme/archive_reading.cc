#include "scheme/archive_reading.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "include/cef_zip_reader.h"
#include "scheme/read_piece_size.h"
#include "scheme/regular_file_stream.h"

namespace zubrix {
namespace {

// Room set aside up front for a body; a larger one grows as it inflates,
// so that a size the archive merely declares reserves nothing more.
const int64 kMostReservedUpFront = 16 << 20;

CefString::char_type LowerAscii(CefString::char_type c) {
  return c >= 'A' && c <= 'Z' ? static_cast<CefString::char_type>(c - 'A' + 'a')
                              : c;
}

bool SameNameIgnoringAsciiCase(const CefString& a, const CefString& b) {
  if (a.length() != b.length())
    return false;
  const CefString::char_type* x = a.c_str();
  const CefString::char_type* y = b.c_str();
  for (size_t i = 0; i < a.length(); ++i) {
    if (LowerAscii(x[i]) != LowerAscii(y[i]))
      return false;
  }
  return true;
}

// Moves |reader| to the entry that |wanted| names: the first non-empty one
// with that name. Only the central directory is read on the way.
bool MoveToEntry(CefRefPtr<CefZipReader> reader, const CefString& wanted) {
  if (!reader->MoveToFirstFile())
    return false;
  do {
    if (reader->GetFileSize() > 0 &&
        SameNameIgnoringAsciiCase(reader->GetFileName(), wanted))
      return true;
  } while (reader->MoveToNextFile());
  return false;
}

// Inflates the entry the reader stands on into |body|. False when it is
// damaged: it does not open, a read fails, it inflates to more or fewer
// bytes than declared, or it fails its checksum.
bool InflateEntry(CefRefPtr<CefZipReader> reader, std::string* body) {
  const int64 declared_size = reader->GetFileSize();
  if (!reader->OpenFile(CefString()))
    return false;
  std::vector<char> piece(kReadPieceSize);
  int64 total = 0;
  bool ok = true;
  try {
    body->reserve(
        static_cast<size_t>(std::min(declared_size, kMostReservedUpFront)));
    while (ok) {
      const int read = reader->ReadFile(piece.data(), piece.size());
      if (read <= 0) {
        ok = read == 0;
        break;
      }
      total += read;
      // Past its declared size it is damaged: no need to inflate the rest.
      ok = total <= declared_size;
      if (ok)
        body->append(piece.data(), static_cast<size_t>(read));
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  } catch (const std::length_error&) {
    ok = false;
  }
  const bool closed = reader->CloseFile();
  return ok && closed && total == declared_size;
}

}  // namespace

bool ReadArchiveEntry(const std::string& archive_path,
                      const std::string& entry_name, std::string* body,
                      ArchiveEntryFailure* failure) {
  ArchiveEntryFailure ignored;
  ArchiveEntryFailure& why = failure ? *failure : ignored;
  CefRefPtr<CefStreamReader> stream = OpenRegularFileStream(archive_path);
  if (!stream) {
    why = ArchiveEntryFailure::kNoArchive;
    return false;
  }
  CefRefPtr<CefZipReader> reader = CefZipReader::Create(stream);
  if (!reader) {
    why = ArchiveEntryFailure::kNotAnArchive;
    return false;
  }
  std::string contents;
  bool found = MoveToEntry(reader, CefString(entry_name));
  why = ArchiveEntryFailure::kNoEntry;
  if (found) {
    found = InflateEntry(reader, &contents);
    why = ArchiveEntryFailure::kDamaged;
  }
  reader->Close();
  if (found)
    *body = std::move(contents);
  return found;
}

}  // namespace zubrix
