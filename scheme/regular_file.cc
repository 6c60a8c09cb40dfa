#include "scheme/regular_file.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
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

FILE* OpenRegularFile(const std::string& utf8_path) {
  const std::wstring path = WideFromUtf8(utf8_path);
  if (path.empty())
    return nullptr;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open; others may
  // go on writing or replacing the file while it is read.
  HANDLE handle = CreateFileW(
      path.c_str(), GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
      nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return nullptr;
  // Device names (CON, NUL, COM1, ...) open anywhere in a path; only a file
  // on disk is served.
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return nullptr;
  }
  const int descriptor =
      _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (descriptor == -1) {
    CloseHandle(handle);
    return nullptr;
  }
  FILE* file = _fdopen(descriptor, "rb");
  if (!file)
    _close(descriptor);
  return file;
}

#else

FILE* OpenRegularFile(const std::string& utf8_path) {
  // Non-blocking, so that a FIFO with no writer opens at once instead of
  // waiting for one; its kind is then known from the open descriptor, which
  // no renaming can change under us.
  const int descriptor =
      open(utf8_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0)
    return nullptr;
  struct stat info;
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(descriptor);
    return nullptr;
  }
  // Reads of the file itself block as usual.
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  FILE* file = fdopen(descriptor, "rb");
  if (!file)
    close(descriptor);
  return file;
}

#endif

}  // namespace zubrix
