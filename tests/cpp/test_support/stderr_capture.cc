#include "test_support/stderr_capture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace test_support {

std::string CaptureStderr(const std::function<void()>& call) {
  char path[] = "/tmp/zubrix-stderr-XXXXXX";
  const int file = mkstemp(path);
  if (file < 0)
    abort();
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  dup2(file, STDERR_FILENO);
  call();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(file);
  std::ifstream in(path, std::ios::binary);
  std::string written((std::istreambuf_iterator<char>(in)),
                      std::istreambuf_iterator<char>());
  unlink(path);
  return written;
}

}  // namespace test_support
