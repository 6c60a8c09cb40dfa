// An embedded Python interpreter whose objects LeakSanitizer can follow,
// for tests that embed Python in the test executable.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_LEAK_CHECKED_PYTHON_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_LEAK_CHECKED_PYTHON_H_

#include <pybind11/embed.h>

#include <memory>

namespace test_support {

// Starts the interpreter with Python's objects allocated by malloc. Linking
// this also leaves pybind11's lasting thread-local key out of leak reports.
std::unique_ptr<pybind11::scoped_interpreter> StartLeakCheckedInterpreter();

}  // namespace test_support

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_LEAK_CHECKED_PYTHON_H_
