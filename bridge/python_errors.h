// Reporting an exception that Python code raised into one of our slots.
#ifndef ZUBRIX_BRIDGE_PYTHON_ERRORS_H_
#define ZUBRIX_BRIDGE_PYTHON_ERRORS_H_

namespace zubrix {

// Prints the pending exception with its traceback to sys.stderr and clears
// it; needs the interpreter lock and a pending exception. SystemExit is
// printed like any other: a handler that calls sys.exit() must not end the
// host, as PyErr_Print would.
void PrintPythonError();

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_PYTHON_ERRORS_H_
