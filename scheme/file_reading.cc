#include "scheme/file_reading.h"

#include <sys/stat.h>

#include <cstdio>

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
  // Room for the size the file has now and the piece that finds its end, so
  // that pieces land in place without the body growing again; a file that
  // changes meanwhile is still read to its end.
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && info.st_size > 0)
    body->reserve(body->size() + static_cast<size_t>(info.st_size) +
                  kReadPieceSize);
  size_t read;
  do {
    const size_t start = body->size();
    body->resize(start + kReadPieceSize);
    read = fread(&(*body)[start], 1, kReadPieceSize, file);
    body->resize(start + read);
  } while (read > 0);
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
