#include "scheme/regular_file_stream.h"

#include <cstdio>

#include "scheme/regular_file.h"

namespace zubrix {
namespace {

// Reads an open file; used by one request on one thread at a time, as the
// ZIP reader over it is.
class OpenFileReadHandler : public CefReadHandler {
 public:
  explicit OpenFileReadHandler(FILE* file) : file_(file) {}
  ~OpenFileReadHandler() override { fclose(file_); }

  size_t Read(void* ptr, size_t size, size_t n) override {
    return fread(ptr, size, n, file_);
  }
  int Seek(int64 offset, int whence) override {
#if defined(_WIN32)
    return _fseeki64(file_, offset, whence);
#else
    return fseeko(file_, static_cast<off_t>(offset), whence);
#endif
  }
  int64 Tell() override {
#if defined(_WIN32)
    return _ftelli64(file_);
#else
    return static_cast<int64>(ftello(file_));
#endif
  }
  int Eof() override { return feof(file_); }
  bool MayBlock() override { return true; }

 private:
  FILE* const file_;
  IMPLEMENT_REFCOUNTING(OpenFileReadHandler);
};

}  // namespace

CefRefPtr<CefStreamReader> OpenRegularFileStream(const std::string& utf8_path) {
  FILE* file = OpenRegularFile(utf8_path);
  if (!file)
    return nullptr;
  return CefStreamReader::CreateForHandler(new OpenFileReadHandler(file));
}

}  // namespace zubrix
