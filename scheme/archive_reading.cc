#include "scheme/archive_reading.h"

#include <algorithm>
#include <climits>

#include "scheme/regular_file_stream.h"

namespace zubrix {
namespace {

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

}  // namespace

ArchiveEntryStream::~ArchiveEntryStream() {
  Close();
}

bool ArchiveEntryStream::Open(const std::string& archive_path,
                              const std::string& entry_name,
                              Failure* failure) {
  Failure ignored;
  Failure& why = failure ? *failure : ignored;
  Close();
  CefRefPtr<CefStreamReader> stream = OpenRegularFileStream(archive_path);
  why = Failure::kNoArchive;
  if (!stream)
    return false;
  reader_ = CefZipReader::Create(stream);
  why = Failure::kNotAnArchive;
  if (!reader_)
    return false;
  const bool found = MoveToEntry(reader_, CefString(entry_name));
  why = found ? Failure::kDamaged : Failure::kNoEntry;
  if (!found || !reader_->OpenFile(CefString())) {
    Close();
    return false;
  }
  file_open_ = true;
  declared_size_ = reader_->GetFileSize();
  inflated_ = 0;
  return true;
}

BodySource::Piece ArchiveEntryStream::Read(void* out, size_t capacity,
                                           size_t* count) {
  *count = 0;
  if (!file_open_)
    return reader_ ? Piece::kEnd : Piece::kBroken;
  if (inflated_ == declared_size_)
    return Finish();
  // Never past the declared size: what lies beyond shows in Finish.
  const size_t wanted = static_cast<size_t>(std::min<int64_t>(
      {static_cast<int64_t>(capacity), declared_size_ - inflated_, INT_MAX}));
  const int read = reader_->ReadFile(out, wanted);
  if (read <= 0) {
    // A failed read, or the entry ending short of its declared size.
    Close();
    return Piece::kBroken;
  }
  inflated_ += read;
  // The last piece is handed out only once the entry proved whole.
  if (inflated_ == declared_size_ && Finish() == Piece::kBroken)
    return Piece::kBroken;
  *count = static_cast<size_t>(read);
  return Piece::kData;
}

BodySource::Piece ArchiveEntryStream::Finish() {
  char beyond = 0;
  const bool ends_here = reader_->ReadFile(&beyond, 1) == 0;
  const bool passes_checksum = reader_->CloseFile();
  file_open_ = false;
  if (ends_here && passes_checksum)
    return Piece::kEnd;
  Close();
  return Piece::kBroken;
}

void ArchiveEntryStream::Close() {
  if (reader_) {
    if (file_open_)
      reader_->CloseFile();
    reader_->Close();
  }
  reader_ = nullptr;
  file_open_ = false;
}

}  // namespace zubrix
