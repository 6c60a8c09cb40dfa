#include "scheme/internal_folder.h"

#include <cstdlib>

namespace zubrix {

std::string InternalContentFolder() {
  const char* folder = std::getenv("CEF_PLOVEX_INTERNAL");
  return folder ? std::string(folder) : std::string();
}

bool ClimbsAboveFolder(const std::string& relative_path) {
  int depth = 0;
  size_t start = 0;
  while (start <= relative_path.size()) {
    size_t end = relative_path.find_first_of("/\\", start);
    if (end == std::string::npos)
      end = relative_path.size();
    const std::string piece = relative_path.substr(start, end - start);
    if (piece == "..") {
      if (--depth < 0)
        return true;
    } else if (!piece.empty() && piece != ".") {
      ++depth;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace zubrix
