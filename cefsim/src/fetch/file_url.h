// file: URLs of this machine's files.
#ifndef CEFSIM_SRC_FETCH_FILE_URL_H_
#define CEFSIM_SRC_FETCH_FILE_URL_H_

#include <string>

namespace cefsim {

// The local path of a file: URL ("file:///a%20b" is "/a b"), or empty when
// it names no local file (another host, or not a file: URL).
std::string FileUrlToPath(const std::string& url);

// Reads the file whole; a cef_errorcode_t (ERR_NONE on success).
int ReadLocalFile(const std::string& path, std::string* contents);

// The MIME type browsers give a file of this name.
std::string MimeTypeForPath(const std::string& path);

}  // namespace cefsim

#endif  // CEFSIM_SRC_FETCH_FILE_URL_H_
