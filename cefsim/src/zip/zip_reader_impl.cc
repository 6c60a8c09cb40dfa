// CefZipReader over minizip, reading the archive through a CefStreamReader.
#include <minizip/unzip.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_zip_reader.h"

namespace {

// minizip's file functions, with the stream as minizip's "file".
voidpf ZCALLBACK OpenStream(voidpf opaque, const void* filename, int mode) {
  return opaque;
}

uLong ZCALLBACK ReadStream(voidpf opaque, voidpf stream, void* buf,
                           uLong size) {
  return static_cast<uLong>(
      static_cast<CefStreamReader*>(stream)->Read(buf, 1, size));
}

uLong ZCALLBACK WriteStream(voidpf opaque, voidpf stream, const void* buf,
                            uLong size) {
  return 0;
}

ZPOS64_T ZCALLBACK TellStream(voidpf opaque, voidpf stream) {
  int64 position = static_cast<CefStreamReader*>(stream)->Tell();
  return position < 0 ? static_cast<ZPOS64_T>(-1)
                      : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK SeekStream(voidpf opaque, voidpf stream, ZPOS64_T offset,
                          int origin) {
  int whence = SEEK_SET;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR)
    whence = SEEK_CUR;
  else if (origin == ZLIB_FILEFUNC_SEEK_END)
    whence = SEEK_END;
  if (offset > static_cast<ZPOS64_T>(INT64_MAX))
    return -1;
  return static_cast<CefStreamReader*>(stream)->Seek(
             static_cast<int64>(offset), whence) == 0
             ? 0
             : -1;
}

int ZCALLBACK CloseStream(voidpf opaque, voidpf stream) {
  return 0;
}

int ZCALLBACK StreamError(voidpf opaque, voidpf stream) {
  return 0;
}

class ZipReaderImpl : public CefZipReader {
 public:
  explicit ZipReaderImpl(CefRefPtr<CefStreamReader> stream)
      : stream_(stream) {}
  ~ZipReaderImpl() override { CloseArchive(); }

  bool Open() {
    zlib_filefunc64_def functions = {};
    functions.zopen64_file = OpenStream;
    functions.zread_file = ReadStream;
    functions.zwrite_file = WriteStream;
    functions.ztell64_file = TellStream;
    functions.zseek64_file = SeekStream;
    functions.zclose_file = CloseStream;
    functions.zerror_file = StreamError;
    functions.opaque = stream_.get();
    archive_ = unzOpen2_64("stream", &functions);
    return archive_ != nullptr;
  }

  bool MoveToFirstFile() override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!LeaveFile())
      return false;
    return on_file_ = unzGoToFirstFile(archive_) == UNZ_OK;
  }
  bool MoveToNextFile() override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!LeaveFile())
      return false;
    return on_file_ = unzGoToNextFile(archive_) == UNZ_OK;
  }
  bool MoveToFile(const CefString& fileName, bool caseSensitive) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!LeaveFile())
      return false;
    return on_file_ = unzLocateFile(archive_, fileName.ToString().c_str(),
                                    caseSensitive ? 1 : 2) == UNZ_OK;
  }
  bool Close() override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!archive_)
      return false;
    CloseArchive();
    return true;
  }

  CefString GetFileName() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return ReadFileInfo() ? CefString(file_name_) : CefString();
  }
  int64 GetFileSize() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return ReadFileInfo() ? file_size_ : -1;
  }

  bool OpenFile(const CefString& password) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!archive_ || !on_file_ || file_open_)
      return false;
    std::string secret = password.ToString();
    file_open_ = unzOpenCurrentFilePassword(
                     archive_, secret.empty() ? nullptr : secret.c_str()) ==
                 UNZ_OK;
    return file_open_;
  }
  bool CloseFile() override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_open_)
      return false;
    file_open_ = false;
    // minizip reports a checksum mismatch here, once the entry was read whole.
    return unzCloseCurrentFile(archive_) == UNZ_OK;
  }
  int ReadFile(void* buffer, size_t bufferSize) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_open_)
      return -1;
    unsigned chunk = static_cast<unsigned>(
        std::min<size_t>(bufferSize, static_cast<size_t>(INT_MAX)));
    return unzReadCurrentFile(archive_, buffer, chunk);
  }
  int64 Tell() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_open_ ? static_cast<int64>(unztell64(archive_)) : -1;
  }
  bool Eof() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return !file_open_ || unzeof(archive_) == 1;
  }

 private:
  // Closes the open entry, if any, before a move; false without an archive.
  bool LeaveFile() {
    if (!archive_)
      return false;
    if (file_open_)
      unzCloseCurrentFile(archive_);
    file_open_ = false;
    has_file_info_ = false;
    on_file_ = false;
    return true;
  }

  bool ReadFileInfo() {
    if (has_file_info_)
      return true;
    if (!archive_ || !on_file_)
      return false;
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(archive_, &info, nullptr, 0, nullptr, 0,
                                nullptr, 0) != UNZ_OK)
      return false;
    std::vector<char> name(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(archive_, &info, name.data(),
                                static_cast<uLong>(name.size()), nullptr, 0,
                                nullptr, 0) != UNZ_OK)
      return false;
    file_name_.assign(name.data(), info.size_filename);
    file_size_ = static_cast<int64>(info.uncompressed_size);
    has_file_info_ = true;
    return true;
  }

  void CloseArchive() {
    if (!LeaveFile())
      return;
    unzClose(archive_);
    archive_ = nullptr;
  }

  const CefRefPtr<CefStreamReader> stream_;
  std::mutex mutex_;
  unzFile archive_ = nullptr;
  bool on_file_ = false;
  bool file_open_ = false;
  bool has_file_info_ = false;
  std::string file_name_;
  int64 file_size_ = 0;
  IMPLEMENT_REFCOUNTING(ZipReaderImpl);
};

}  // namespace

CefRefPtr<CefZipReader> CefZipReader::Create(
    CefRefPtr<CefStreamReader> stream) {
  if (!stream)
    return nullptr;
  CefRefPtr<ZipReaderImpl> reader(new ZipReaderImpl(stream));
  if (!reader->Open())
    return nullptr;
  return reader.get();
}
