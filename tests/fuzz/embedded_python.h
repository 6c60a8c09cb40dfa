// The interpreter that the fuzz targets over Python conversions run in.
#ifndef ZUBRIX_TESTS_FUZZ_EMBEDDED_PYTHON_H_
#define ZUBRIX_TESTS_FUZZ_EMBEDDED_PYTHON_H_

// Starts it on first use; it lives until the process ends. The caller's
// thread holds its lock from then on.
void StartEmbeddedPython();

#endif  // ZUBRIX_TESTS_FUZZ_EMBEDDED_PYTHON_H_
