// A CefStreamReader over a path that names a regular file.
#ifndef ZUBRIX_SCHEME_REGULAR_FILE_STREAM_H_
#define ZUBRIX_SCHEME_REGULAR_FILE_STREAM_H_

#include <string>

#include "include/cef_stream.h"

namespace zubrix {

// A stream over |utf8_path| when it is a regular file (or a link to one);
// nullptr for anything else, decided without waiting on what the path leads
// to. The stream reads the very file that was checked, so a FIFO or device
// put in its place afterwards is never read.
CefRefPtr<CefStreamReader> OpenRegularFileStream(const std::string& utf8_path);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_REGULAR_FILE_STREAM_H_
