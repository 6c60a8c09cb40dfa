#include "fetch/file_url.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "fetch/url_pieces.h"
#include "include/internal/cef_types.h"
#include "strings/ascii_case.h"

namespace cefsim {

std::string FileUrlToPath(const std::string& url) {
  if (SchemeOf(url) != "file")
    return std::string();
  std::string rest = url.substr(5);
  size_t end = rest.find_first_of("?#");
  if (end != std::string::npos)
    rest.resize(end);
  if (rest.compare(0, 2, "//") == 0) {
    size_t slash = rest.find('/', 2);
    std::string host = rest.substr(2, slash == std::string::npos
                                          ? std::string::npos
                                          : slash - 2);
    if (!host.empty() && host != "localhost")
      return std::string();
    rest = slash == std::string::npos ? "/" : rest.substr(slash);
  }
  if (rest.empty() || rest[0] != '/')
    return std::string();
  return PercentDecode(rest);
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
