#include "plain_reads.h"

#include <fcntl.h>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace bench {

size_t ReadFileInOneRead(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return 0;
  struct stat info;
  size_t done = 0;
  if (fstat(fd, &info) == 0) {
    const size_t size = static_cast<size_t>(info.st_size);
    std::unique_ptr<char[]> body(new char[size]);
    ssize_t got;
    while (done < size && (got = read(fd, body.get() + done, size - done)) > 0)
      done += static_cast<size_t>(got);
  }
  close(fd);
  return done;
}

size_t InflateOneEntry(const std::string& archive, const std::string& entry) {
  unzFile zip = unzOpen64(archive.c_str());
  if (!zip)
    return 0;
  size_t done = 0;
  unz_file_info64 info;
  // 2: names compared without regard to case.
  if (unzLocateFile(zip, entry.c_str(), 2) == UNZ_OK &&
      unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) ==
          UNZ_OK &&
      unzOpenCurrentFile(zip) == UNZ_OK) {
    const size_t size = static_cast<size_t>(info.uncompressed_size);
    std::unique_ptr<char[]> body(new char[size]);
    int got;
    while (done < size &&
           (got = unzReadCurrentFile(zip, body.get() + done,
                                     static_cast<unsigned>(size - done))) > 0)
      done += static_cast<size_t>(got);
    unzCloseCurrentFile(zip);
  }
  unzClose(zip);
  return done;
}

}  // namespace bench
