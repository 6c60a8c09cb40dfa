#include "embedded_python.h"

#include <pybind11/embed.h>

#include <cstdlib>

void StartEmbeddedPython() {
  static bool started = [] {
    // Objects in Python's own arenas would hide leaks from LeakSanitizer.
    setenv("PYTHONMALLOC", "malloc", 1);
    new pybind11::scoped_interpreter();  // Never finalised, on purpose.
    return true;
  }();
  (void)started;
}
