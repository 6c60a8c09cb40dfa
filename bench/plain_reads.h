// The limits that serving local content is measured against: the same bytes
// read with the least work the platform allows.
#ifndef ZUBRIX_BENCH_PLAIN_READS_H_
#define ZUBRIX_BENCH_PLAIN_READS_H_

#include <string>

namespace bench {

// Opens the file, allocates its size once and reads it with one read() (more
// only if the kernel returns less). The byte count read.
size_t ReadFileInOneRead(const std::string& path);

// Opens the archive with minizip, finds |entry| (without regard to case) and
// inflates just that entry into a buffer of its size. The byte count read.
size_t InflateOneEntry(const std::string& archive, const std::string& entry);

}  // namespace bench

#endif  // ZUBRIX_BENCH_PLAIN_READS_H_
