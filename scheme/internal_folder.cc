#include "scheme/internal_folder.h"

#include <cstdlib>

namespace zubrix {

const char* InternalContentFolder() {
  const char* folder = std::getenv("CEF_PLOVEX_INTERNAL");
  return folder ? folder : "";
}

bool ClimbsAboveFolder(const std::string& relative_path) {
  int depth = 0;
  size_t start = 0;
  while (start <= relative_path.size()) {
    size_t end = start;
    while (end < relative_path.size() && relative_path[end] != '/' &&
           relative_path[end] != '\\')
      ++end;
    const size_t length = end - start;
    if (length == 2 && relative_path.compare(start, 2, "..") == 0) {
      if (--depth < 0)
        return true;
    } else if (length != 0 &&
               !(length == 1 && relative_path[start] == '.')) {
      ++depth;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace zubrix
