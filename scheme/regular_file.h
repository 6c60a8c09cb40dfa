// Opening a path only when it names a regular file, without ever waiting on
// what the path leads to: a FIFO, a device or a folder is refused at once.
#ifndef ZUBRIX_SCHEME_REGULAR_FILE_H_
#define ZUBRIX_SCHEME_REGULAR_FILE_H_

#include <cstdint>
#include <cstdio>
#include <string>

namespace zubrix {

// Opens |utf8_path| for binary reading when it is a regular file (a symbolic
// link to one counts) and returns the open file, which the caller closes
// with fclose. Returns nullptr for anything else, and when the file does not
// open.
FILE* OpenRegularFile(const std::string& utf8_path);

// The same file on the platform's own terms, for readers that want no stdio
// layer in between: a descriptor, or a HANDLE on Windows.
#if defined(_WIN32)
typedef void* NativeFile;
#else
typedef int NativeFile;
#endif

// As OpenRegularFile; |size| receives the file's size at opening.
bool OpenRegularNativeFile(const std::string& utf8_path, NativeFile* file,
                           int64_t* size);
// Reads up to |capacity| bytes at the file's position: the count read, 0 at
// its end, -1 when the read fails.
int64_t ReadNativeFile(NativeFile file, void* out, size_t capacity);
void CloseNativeFile(NativeFile file);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_REGULAR_FILE_H_
