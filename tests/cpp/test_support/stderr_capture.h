// What a call writes to the process's standard error, kept from the test's
// own output: CTest fails a test whose output shows certain errors, and a
// test that provokes one on purpose checks it here instead.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_STDERR_CAPTURE_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_STDERR_CAPTURE_H_

#include <functional>
#include <string>

namespace test_support {

std::string CaptureStderr(const std::function<void()>& call);

}  // namespace test_support

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_STDERR_CAPTURE_H_
