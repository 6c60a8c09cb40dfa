// The limits that serving local content is measured against: the same bytes
// read with the least work the platform allows, a piece at a time, as CEF's
// own stream resource handler reads them.
#ifndef ZUBRIX_BENCH_PLAIN_READS_H_
#define ZUBRIX_BENCH_PLAIN_READS_H_

#include <cstddef>
#include <memory>
#include <string>

namespace bench {

class PieceReader {
 public:
  virtual ~PieceReader() {}
  // Up to |capacity| bytes into |out|: the count, 0 at the end, -1 on error.
  virtual long Read(char* out, size_t capacity) = 0;
};

// The file opened with open(); null when it does not open.
std::unique_ptr<PieceReader> OpenPlainFile(const std::string& path);

// The archive opened with minizip and |entry| (found without regard to
// case) opened for inflating; null when either fails.
std::unique_ptr<PieceReader> OpenArchiveEntry(const std::string& archive,
                                              const std::string& entry);

}  // namespace bench

#endif  // ZUBRIX_BENCH_PLAIN_READS_H_
