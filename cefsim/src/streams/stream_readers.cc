// CefStreamReader over a file, over a copy of caller memory, or over a
// client's read handler. Each reader serialises its calls with its own lock.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "include/cef_stream.h"

namespace {

class FileStreamReader : public CefStreamReader {
 public:
  explicit FileStreamReader(FILE* file) : file_(file) {}
  ~FileStreamReader() override { fclose(file_); }

  size_t Read(void* ptr, size_t size, size_t n) override {
    std::lock_guard<std::mutex> lock(mutex_);
    return fread(ptr, size, n, file_);
  }
  int Seek(int64 offset, int whence) override {
    std::lock_guard<std::mutex> lock(mutex_);
    return fseeko(file_, static_cast<off_t>(offset), whence);
  }
  int64 Tell() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return ftello(file_);
  }
  int Eof() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return feof(file_);
  }
  bool MayBlock() override { return true; }

 private:
  FILE* const file_;
  std::mutex mutex_;
  IMPLEMENT_REFCOUNTING(FileStreamReader);
};

class BytesStreamReader : public CefStreamReader {
 public:
  BytesStreamReader(const void* data, size_t size)
      : data_(static_cast<const unsigned char*>(data),
              static_cast<const unsigned char*>(data) + size) {}

  size_t Read(void* ptr, size_t size, size_t n) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (size == 0)
      return 0;
    size_t items = std::min(n, (data_.size() - offset_) / size);
    if (items > 0)
      memcpy(ptr, data_.data() + offset_, items * size);
    offset_ += items * size;
    return items;
  }
  int Seek(int64 offset, int whence) override {
    std::lock_guard<std::mutex> lock(mutex_);
    int64 base = 0;
    if (whence == SEEK_CUR)
      base = static_cast<int64>(offset_);
    else if (whence == SEEK_END)
      base = static_cast<int64>(data_.size());
    else if (whence != SEEK_SET)
      return -1;
    int64 target = base + offset;
    if (target < 0 || target > static_cast<int64>(data_.size()))
      return -1;
    offset_ = static_cast<size_t>(target);
    return 0;
  }
  int64 Tell() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int64>(offset_);
  }
  int Eof() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return offset_ >= data_.size() ? 1 : 0;
  }
  bool MayBlock() override { return false; }

 private:
  const std::vector<unsigned char> data_;
  size_t offset_ = 0;
  std::mutex mutex_;
  IMPLEMENT_REFCOUNTING(BytesStreamReader);
};

class HandlerStreamReader : public CefStreamReader {
 public:
  explicit HandlerStreamReader(CefRefPtr<CefReadHandler> handler)
      : handler_(handler) {}

  size_t Read(void* ptr, size_t size, size_t n) override {
    return handler_->Read(ptr, size, n);
  }
  int Seek(int64 offset, int whence) override {
    return handler_->Seek(offset, whence);
  }
  int64 Tell() override { return handler_->Tell(); }
  int Eof() override { return handler_->Eof(); }
  bool MayBlock() override { return handler_->MayBlock(); }

 private:
  const CefRefPtr<CefReadHandler> handler_;
  IMPLEMENT_REFCOUNTING(HandlerStreamReader);
};

}  // namespace

CefRefPtr<CefStreamReader> CefStreamReader::CreateForFile(
    const CefString& fileName) {
  FILE* file = fopen(fileName.ToString().c_str(), "rb");
  if (!file)
    return nullptr;
  // POSIX opens folders for reading; Windows, the target, does not.
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
    fclose(file);
    return nullptr;
  }
  return new FileStreamReader(file);
}

CefRefPtr<CefStreamReader> CefStreamReader::CreateForData(void* data,
                                                          size_t size) {
  if (!data && size > 0)
    return nullptr;
  return new BytesStreamReader(data, size);
}

CefRefPtr<CefStreamReader> CefStreamReader::CreateForHandler(
    CefRefPtr<CefReadHandler> handler) {
  if (!handler)
    return nullptr;
  return new HandlerStreamReader(handler);
}
