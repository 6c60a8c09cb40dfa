#include "plain_reads.h"

#include <fcntl.h>
#include <minizip/unzip.h>
#include <unistd.h>

namespace bench {
namespace {

class PlainFile : public PieceReader {
 public:
  explicit PlainFile(int fd) : fd_(fd) {}
  ~PlainFile() override { close(fd_); }
  long Read(char* out, size_t capacity) override {
    return static_cast<long>(read(fd_, out, capacity));
  }

 private:
  const int fd_;
};

class ArchiveEntry : public PieceReader {
 public:
  explicit ArchiveEntry(unzFile zip) : zip_(zip) {}
  ~ArchiveEntry() override {
    unzCloseCurrentFile(zip_);
    unzClose(zip_);
  }
  long Read(char* out, size_t capacity) override {
    return unzReadCurrentFile(zip_, out, static_cast<unsigned>(capacity));
  }

 private:
  const unzFile zip_;
};

}  // namespace

std::unique_ptr<PieceReader> OpenPlainFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return nullptr;
  return std::unique_ptr<PieceReader>(new PlainFile(fd));
}

std::unique_ptr<PieceReader> OpenArchiveEntry(const std::string& archive,
                                              const std::string& entry) {
  unzFile zip = unzOpen64(archive.c_str());
  if (!zip)
    return nullptr;
  // 2: names compared without regard to case.
  if (unzLocateFile(zip, entry.c_str(), 2) != UNZ_OK ||
      unzOpenCurrentFile(zip) != UNZ_OK) {
    unzClose(zip);
    return nullptr;
  }
  return std::unique_ptr<PieceReader>(new ArchiveEntry(zip));
}

}  // namespace bench
