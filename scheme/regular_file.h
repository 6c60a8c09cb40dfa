// Opening a path only when it names a regular file, without ever waiting on
// what the path leads to: a FIFO, a device or a folder is refused at once.
#ifndef ZUBRIX_SCHEME_REGULAR_FILE_H_
#define ZUBRIX_SCHEME_REGULAR_FILE_H_

#include <cstdio>
#include <string>

namespace zubrix {

// Opens |utf8_path| for binary reading when it is a regular file (a symbolic
// link to one counts) and returns the open file, which the caller closes
// with fclose. Returns nullptr for anything else, and when the file does not
// open.
FILE* OpenRegularFile(const std::string& utf8_path);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_REGULAR_FILE_H_
