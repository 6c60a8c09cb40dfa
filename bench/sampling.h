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

// How many operations make a batch of about kSampleSeconds. One warm-up run
// fills caches; the count then doubles until a batch is long enough to time,
// so that one slow first run cannot make every batch short.
template <typename Operation>
long BatchCount(Operation& operation) {
  SecondsPerBatch(operation, 1);
  long count = 1;
  double seconds;
  while ((seconds = SecondsPerBatch(operation, count)) < kSampleSeconds / 8)
    count *= 2;
  return std::max(1L, static_cast<long>(count * kSampleSeconds / seconds));
}

// Seconds per operation of two operations whose costs are compared, their
// batches taken in turn, so that a change in the machine's speed during the
// run touches both alike.
template <typename First, typename Second>
void SampleInTurn(First first, Second second,
                  std::vector<double>* first_samples,
                  std::vector<double>* second_samples) {
  const long first_count = BatchCount(first);
  const long second_count = BatchCount(second);
  for (int i = 0; i < kSamples; ++i) {
    first_samples->push_back(SecondsPerBatch(first, first_count) /
                             first_count);
    second_samples->push_back(SecondsPerBatch(second, second_count) /
                              second_count);
  }
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
