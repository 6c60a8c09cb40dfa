/* Preloaded into the host, this Py_GetVersion stands in for the
 * interpreter's: it reports the text of ZUBRIX_FAKE_PYTHON_VERSION, so that
 * a test can show a module the version string of another interpreter. */
#include <stdlib.h>

const char* Py_GetVersion(void) {
  const char* version = getenv("ZUBRIX_FAKE_PYTHON_VERSION");
  return version ? version : "";
}
