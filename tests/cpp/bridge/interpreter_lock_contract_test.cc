// Where DCHECKs are compiled in, the host-side code that needs the
// interpreter lock stops the process when called without it.
#include <gtest/gtest.h>
#include <pybind11/embed.h>

#include "bridge/list_to_tuple.h"
#include "bridge/python_errors.h"
#include "include/base/cef_logging.h"

namespace py = pybind11;

namespace zubrix {
namespace {

TEST(InterpreterLockDeathTest, ConversionAndErrorReportNeedTheLock) {
  if (!DCHECK_IS_ON())
    GTEST_SKIP() << "DCHECKs are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetInt(0, 7);
  py::tuple tuple(1);
  EXPECT_DEATH(
      {
        py::gil_scoped_release release;
        ListToTuple(list, tuple.ptr());
      },
      "HoldsInterpreterLockIfKnown");
  EXPECT_DEATH(
      {
        PyErr_SetString(PyExc_ValueError, "pending");
        py::gil_scoped_release release;
        PrintPythonError();
      },
      "HoldsInterpreterLockIfKnown");
  // Held, as the slot holds it, the same calls do their work.
  ListToTuple(list, tuple.ptr());
  EXPECT_EQ(tuple[0].cast<int>(), 7);
}

}  // namespace
}  // namespace zubrix
