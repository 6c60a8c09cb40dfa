// Repeated timing of one operation: each sample runs a batch sized so that it
// lasts long enough for the clock, and records the time per operation.
#ifndef ZUBRIX_BENCH_SAMPLING_H_
#define ZUBRIX_BENCH_SAMPLING_H_

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

constexpr int kSamples = 7;
constexpr double kSampleSeconds = 0.03;

template <typename Operation>
double SecondsPerBatch(Operation& operation, long count) {
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < count; ++i)
    operation();
  const std::chrono::duration<double> elapsed =
      std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

// Seconds per operation, one value per sample. The first run warms caches and
// sizes the batches.
template <typename Operation>
std::vector<double> SampleSecondsPerOperation(Operation operation) {
  const double once = std::max(SecondsPerBatch(operation, 1), 1e-7);
  const long count = std::max(1L, static_cast<long>(kSampleSeconds / once));
  std::vector<double> samples;
  for (int i = 0; i < kSamples; ++i)
    samples.push_back(SecondsPerBatch(operation, count) / count);
  return samples;
}

// One line per figure for the driver: row, variant, bytes per operation,
// then the samples.
inline void PrintRecord(const std::string& row, const std::string& variant,
                        size_t bytes, const std::vector<double>& samples) {
  std::printf("RECORD\t%s\t%s\t%zu", row.c_str(), variant.c_str(), bytes);
  for (double sample : samples)
    std::printf("\t%.9g", sample);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace bench

#endif  // ZUBRIX_BENCH_SAMPLING_H_
