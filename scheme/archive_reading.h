// Reading one entry of a content archive, a ZIP file.
#ifndef ZUBRIX_SCHEME_ARCHIVE_READING_H_
#define ZUBRIX_SCHEME_ARCHIVE_READING_H_

#include <string>

namespace zubrix {

// True when the archive, a regular file, opens and holds an intact entry
// named |entry_name|; |body| then holds the entry's bytes.
//
// Names are matched without regard to ASCII case. Entries of zero bytes,
// folders among them, are never found; of several non-empty entries with
// the same name, the first one counts. That entry is found only if it is
// intact: it opens, inflates, and has its declared size and checksum. A
// damaged entry makes only itself not found; every other entry of the
// archive is served whatever state the others are in.
//
// Only the archive's central directory and the wanted entry are read, and
// nothing is kept between calls, so every call sees the archive as it is
// on disk now.
//
// On false, |failure| (when given) says which step failed.
enum class ArchiveEntryFailure { kNoArchive, kNotAnArchive, kNoEntry, kDamaged };
bool ReadArchiveEntry(const std::string& archive_path,
                      const std::string& entry_name, std::string* body,
                      ArchiveEntryFailure* failure = nullptr);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_ARCHIVE_READING_H_
