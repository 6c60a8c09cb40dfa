#include "cefsim/src/fetch/file_url.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "include/internal/cef_types.h"
#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {

std::string FileUrlToPath(const std::string& url) {
  CanonicalUrl canonical;
  if (!CanonicalizeUrl(url, &canonical) || canonical.scheme != "file")
    return std::string();
  if (!canonical.host.empty() && canonical.host != "localhost")
    return std::string();
  return PercentDecode(canonical.path);
}

int ReadLocalFile(const std::string& path, std::string* contents) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0)
    return errno == EACCES ? ERR_ACCESS_DENIED : ERR_FILE_NOT_FOUND;
  if (!S_ISREG(info.st_mode))
    return ERR_FILE_NOT_FOUND;
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return ERR_ACCESS_DENIED;
  contents->assign(std::istreambuf_iterator<char>(file),
                   std::istreambuf_iterator<char>());
  return file.bad() ? ERR_FAILED : ERR_NONE;
}

std::string MimeTypeForPath(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return "application/octet-stream";
  std::string extension = ToLowerAscii(path.substr(dot + 1));
  if (extension == "html" || extension == "htm")
    return "text/html";
  if (extension == "js")
    return "application/javascript";
  if (extension == "css")
    return "text/css";
  if (extension == "txt")
    return "text/plain";
  if (extension == "json")
    return "application/json";
  if (extension == "png")
    return "image/png";
  return "application/octet-stream";
}

}  // namespace cefsim
