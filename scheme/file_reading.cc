#include "scheme/file_reading.h"

#include <cstdio>
#include <vector>

#include "scheme/mime_types.h"

namespace zubrix {
namespace {

const size_t kReadPieceSize = 65536;

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* body) {
  // Binary mode: no newline translation on Windows.
  FILE* file = fopen(path.c_str(), "rb");
  if (!file)
    return false;
  std::vector<char> piece(kReadPieceSize);
  size_t read;
  while ((read = fread(piece.data(), 1, piece.size(), file)) > 0)
    body->append(piece.data(), read);
  const bool failed = ferror(file) != 0;
  fclose(file);
  return !failed;
}

bool ReadInternalFile(const std::string& path, std::string* mime_type,
                      std::string* body) {
  std::string contents;
  if (!ReadWholeFile(path, &contents))
    return false;
  *body = std::move(contents);
  *mime_type = GetMimeType(path);
  return true;
}

}  // namespace zubrix
