// Serves files and archive entries through the module's resource handler as
// CEF drives it, and reads the same bytes the plainest way on CEF's file
// thread beside it.
// Prints one RECORD line per figure for bench/run_bench.py.
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "content_fixtures.h"
#include "handler_requests.h"
#include "plain_reads.h"
#include "sampling.h"
#include "test_support/temp_dir.h"

namespace {

const size_t kPieceSize = 65536;
const size_t kArchiveEntrySize = 4096;

std::string SizeName(size_t bytes) {
  if (bytes >= (1u << 20))
    return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes >> 10) + " KiB";
}

// Both ways must have served the whole of the same content.
void CheckServed(long served, size_t expected, const std::string& what) {
  if (served != static_cast<long>(expected))
    throw std::runtime_error(what + ": served " + std::to_string(served) +
                             " bytes, expected " + std::to_string(expected));
}

// Serves |url| through the handler, and reads what |limit| opens as CEF's
// own stream handler would, in turn, and prints both: the handler's cost
// beside the least that serving the same bytes without blocking CEF's IO
// thread can cost.
template <typename Limit>
void MeasureAgainstLimit(const std::string& row, const std::string& url,
                         size_t expected, Limit limit) {
  std::vector<double> handler_samples;
  std::vector<double> limit_samples;
  const CefString url_text(url);
  std::vector<char> piece(kPieceSize);
  auto serve = [&] { bench::ServeThroughHandler(url_text, &piece); };
  auto answer = [&] { return bench::ReadInPiecesOnFileThread(limit, &piece); };
  CheckServed(bench::ServeThroughHandler(url_text, &piece), expected, row);
  CheckServed(static_cast<long>(answer()), expected, row);
  bench::SampleInTurn(serve, answer, &handler_samples, &limit_samples);
  bench::PrintRecord(row, "handler", expected, handler_samples);
  bench::PrintRecord(row, "limit", expected, limit_samples);
}

void MeasureFolderRoute(const test_support::TempDir& folder, size_t size) {
  const std::string name = "file" + std::to_string(size) + ".html";
  const std::string path =
      folder.WriteFile(name, bench::PageLikeText(size, 7));
  MeasureAgainstLimit("folder " + SizeName(size), "client://internal/" + name,
                      size, [&] { return bench::OpenPlainFile(path); });
}

void MeasureArchiveRoute(const test_support::TempDir& folder, int count) {
  const std::string path =
      folder.Path("site" + std::to_string(count) + ".plovex");
  bench::WriteContentArchive(path, count, kArchiveEntrySize);
  // The middle entry: half the archive lies before it, half after.
  const std::string entry = bench::ArchiveEntryName(count / 2);
  MeasureAgainstLimit("archive " + std::to_string(count) + " entries",
                      "client://plovex/" + path + "/" + entry,
                      kArchiveEntrySize,
                      [&] { return bench::OpenArchiveEntry(path, entry); });
}

}  // namespace

int main() {
  test_support::TempDir folder;
  setenv("CEF_PLOVEX_INTERNAL", folder.path().c_str(), 1);
  cefsim_inspect::StartThread(TID_IO);
  cefsim_inspect::StartThread(TID_FILE);
  for (size_t size : {1u << 10, 4u << 10, 16u << 10, 64u << 10, 256u << 10,
                      1u << 20, 4u << 20, 10u << 20})
    MeasureFolderRoute(folder, size);
  for (int count : {1, 5, 20, 50, 100, 200})
    MeasureArchiveRoute(folder, count);
  cefsim_inspect::StopThread(TID_IO);
  cefsim_inspect::StopThread(TID_FILE);
  return 0;
}
