// Reading one entry of a content archive, a ZIP file.
#ifndef ZUBRIX_SCHEME_ARCHIVE_READING_H_
#define ZUBRIX_SCHEME_ARCHIVE_READING_H_

#include <string>

namespace zubrix {

// True when the archive opens and holds |entry_name| (matched without regard
// to case); |body| then holds the entry's bytes. The answer is the one that
// loading the whole archive into a CefZipArchive and asking it for the entry
// gives, but entries after the one found are never inflated and none but it
// is kept. Nothing is cached, so changes show at once.
bool ReadArchiveEntry(const std::string& archive_path,
                      const std::string& entry_name, std::string* body);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_ARCHIVE_READING_H_
