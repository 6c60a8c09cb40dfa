// Reading one entry of a content archive, a ZIP file, as a stream.
#ifndef ZUBRIX_SCHEME_ARCHIVE_READING_H_
#define ZUBRIX_SCHEME_ARCHIVE_READING_H_

#include <string>

#include "include/cef_zip_reader.h"
#include "scheme/body_source.h"

namespace zubrix {

// One entry, inflated a piece at a time as it is read, so that memory stays
// bounded whatever the entry's size. CEF's ZIP reader works on the thread
// that made it: every call, and the destruction, happen on one thread.
//
// Names are matched without regard to ASCII case. Entries of zero bytes,
// folders among them, are never found; of several non-empty entries with
// the same name, the first one counts. Only the archive's central directory
// and the wanted entry are read, and nothing is kept between requests, so
// every request sees the archive as it is on disk now.
//
// Damaged entries: an entry that does not open is not found. Once open, an
// entry is damaged when a read fails, or it inflates to more or fewer bytes
// than it declares, or it fails its checksum; Read reports that as kBroken
// where it shows, and kEnd only once the whole entry proved intact, so the
// last bytes are never handed out before the checksum is known. Whoever
// reads the entry whole before answering (a small entry) therefore still
// answers a damaged entry with not-found; a larger one may be found damaged
// only after its first bytes went out, and its request then fails. A
// damaged entry never affects any other entry of the archive.
class ArchiveEntryStream : public BodySource {
 public:
  ArchiveEntryStream() {}
  ~ArchiveEntryStream() override;

  // True when the archive, a regular file, opens and its entry named
  // |entry_name| is found and opens. On false, |failure| (when given) says
  // which step failed.
  enum class Failure { kNoArchive, kNotAnArchive, kNoEntry, kDamaged };
  bool Open(const std::string& archive_path, const std::string& entry_name,
            Failure* failure = nullptr);

  // BodySource: the entry's declared size.
  int64_t length() const override { return declared_size_; }
  Piece Read(void* out, size_t capacity, size_t* count) override;

 private:
  // Confirms that the entry ends at its declared size and passes its
  // checksum, and closes it.
  Piece Finish();
  void Close();

  CefRefPtr<CefZipReader> reader_;
  int64_t declared_size_ = 0;
  int64_t inflated_ = 0;
  bool file_open_ = false;

  DISALLOW_COPY_AND_ASSIGN(ArchiveEntryStream);
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_ARCHIVE_READING_H_
