// Reading a file of the internal content folder whole.
#ifndef ZUBRIX_SCHEME_FILE_READING_H_
#define ZUBRIX_SCHEME_FILE_READING_H_

#include <string>

namespace zubrix {

// Appends the file's bytes to |body|, read in 65,536-byte pieces. False when
// the file does not open or a read fails (as reading a folder does), so that
// an unreadable file is never served as an empty one.
bool ReadWholeFile(const std::string& path, std::string* body);

// On success |body| holds the file and |mime_type| the type that the whole
// path, folder names included, gives.
bool ReadInternalFile(const std::string& path, std::string* mime_type,
                      std::string* body);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_FILE_READING_H_
