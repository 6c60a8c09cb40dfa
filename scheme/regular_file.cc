#include "scheme/regular_file.h"

#include <algorithm>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zubrix {

#if defined(_WIN32)

namespace {

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty())
    return std::wstring();
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                         utf8.data(),
                                         static_cast<int>(utf8.size()),
                                         nullptr, 0);
  if (length <= 0)
    return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                      static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

}  // namespace

bool OpenRegularNativeFile(const std::string& utf8_path, NativeFile* file,
                           int64_t* size) {
  const std::wstring path = WideFromUtf8(utf8_path);
  if (path.empty())
    return false;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open; others may
  // go on writing or replacing the file while it is read.
  HANDLE handle = CreateFileW(
      path.c_str(), GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
      nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  // Device names (CON, NUL, COM1, ...) open anywhere in a path; only a file
  // on disk is served.
  LARGE_INTEGER file_size;
  if (GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileSizeEx(handle, &file_size)) {
    CloseHandle(handle);
    return false;
  }
  *file = handle;
  *size = file_size.QuadPart;
  return true;
}

int64_t ReadNativeFile(NativeFile file, void* out, size_t capacity) {
  // ReadFile counts in 32 bits.
  const DWORD wanted =
      static_cast<DWORD>(std::min<size_t>(capacity, 1u << 30));
  DWORD read = 0;
  if (!ReadFile(static_cast<HANDLE>(file), out, wanted, &read, nullptr))
    return -1;
  return read;
}

void CloseNativeFile(NativeFile file) {
  CloseHandle(static_cast<HANDLE>(file));
}

FILE* OpenRegularFile(const std::string& utf8_path) {
  NativeFile handle;
  int64_t size;
  if (!OpenRegularNativeFile(utf8_path, &handle, &size))
    return nullptr;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                         _O_RDONLY | _O_BINARY);
  if (descriptor == -1) {
    CloseNativeFile(handle);
    return nullptr;
  }
  FILE* stream = _fdopen(descriptor, "rb");
  if (!stream)
    _close(descriptor);  // Closes the handle too.
  return stream;
}

#else

bool OpenRegularNativeFile(const std::string& utf8_path, NativeFile* file,
                           int64_t* size) {
  // Non-blocking, so that a FIFO with no writer opens at once instead of
  // waiting for one; its kind is then known from the open descriptor, which
  // no renaming can change under us. O_NONBLOCK stays: it does not change
  // reads of a regular file.
  const int descriptor =
      open(utf8_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0)
    return false;
  struct stat info;
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(descriptor);
    return false;
  }
  *file = descriptor;
  *size = static_cast<int64_t>(info.st_size);
  return true;
}

int64_t ReadNativeFile(NativeFile file, void* out, size_t capacity) {
  ssize_t got;
  do {
    got = read(file, out, capacity);
  } while (got < 0 && errno == EINTR);
  return got;
}

void CloseNativeFile(NativeFile file) {
  close(file);
}

FILE* OpenRegularFile(const std::string& utf8_path) {
  NativeFile descriptor;
  int64_t size;
  if (!OpenRegularNativeFile(utf8_path, &descriptor, &size))
    return nullptr;
  FILE* stream = fdopen(descriptor, "rb");
  if (!stream)
    CloseNativeFile(descriptor);
  return stream;
}

#endif

}  // namespace zubrix
