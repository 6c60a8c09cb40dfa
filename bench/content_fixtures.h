// The files and archives that the local-content benchmarks serve.
#ifndef ZUBRIX_BENCH_CONTENT_FIXTURES_H_
#define ZUBRIX_BENCH_CONTENT_FIXTURES_H_

#include <string>

namespace bench {

// Text that compresses about as well as pages and scripts do; the same for a
// given size every run.
std::string PageLikeText(size_t size, unsigned seed);

// "entry<i>.js" for i in 0..count-1, each |entry_size| bytes.
std::string ArchiveEntryName(int index);
void WriteContentArchive(const std::string& path, int count,
                         size_t entry_size);

}  // namespace bench

#endif  // ZUBRIX_BENCH_CONTENT_FIXTURES_H_
