#include "test_support/leak_checked_python.h"

#include <cstdlib>

// pybind11 keeps its loader's thread-local key for the life of the process.
// Beside the function every embedding test calls, so that the linker takes
// it from this library.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:pybind11::detail::local_internals::local_internals\n";
}

namespace test_support {

std::unique_ptr<pybind11::scoped_interpreter> StartLeakCheckedInterpreter() {
  // Objects in Python's own arenas would hide their references from
  // LeakSanitizer.
  setenv("PYTHONMALLOC", "malloc", 1);
  return std::make_unique<pybind11::scoped_interpreter>();
}

}  // namespace test_support
