// Turns a call's CEF argument list into the items of a Python tuple, on the
// host side of a page's call into Python.
#ifndef ZUBRIX_BRIDGE_LIST_TO_TUPLE_H_
#define ZUBRIX_BRIDGE_LIST_TO_TUPLE_H_

#include <Python.h>

#include "include/cef_values.h"

namespace zubrix {

// Fills every position of |target|, a new tuple of exactly |source|'s size:
// strings become byte strings (UTF-8, cut at the first U+0000), integers
// ints, booleans True/False, lists tuples; any other entry becomes None.
// Needs the interpreter lock.
void ListToTuple(CefRefPtr<CefListValue> source, PyObject* target);

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_LIST_TO_TUPLE_H_
