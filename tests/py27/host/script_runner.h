// Runs a Python script as the __main__ module of the embedded interpreter.
#ifndef ZUBRIX_TESTS_PY27_HOST_SCRIPT_RUNNER_H_
#define ZUBRIX_TESTS_PY27_HOST_SCRIPT_RUNNER_H_

// Runs the file at |path| with the interpreter lock held and returns its
// exit status: 0 when it ends normally, SystemExit's code, 1 after printing
// any other exception's traceback, 2 when the file cannot be opened.
int RunScript(const char* path);

#endif  // ZUBRIX_TESTS_PY27_HOST_SCRIPT_RUNNER_H_
