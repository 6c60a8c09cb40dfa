// The registry alone, outside the singleton: its ids and the references it
// holds.
#include <gtest/gtest.h>

#include "bridge/python_callback_registry.h"
#include "tests/cpp/bridge/host_environment.h"

namespace py = pybind11;

namespace zubrix {
namespace {

TEST(PythonCallbackRegistryTest, CountsIdsUpWithoutReusingRemovedOnes) {
  py::dict scope = PythonScope();
  PyObject* record = scope["record"].ptr();
  PythonCallbackRegistry registry;
  EXPECT_EQ(0u, registry.Add(record));
  EXPECT_EQ(1u, registry.Add(record));
  registry.Remove(0);
  EXPECT_EQ(2u, registry.Add(record));
  EXPECT_EQ(nullptr, registry.Find(0));
  for (uint32_t callback_id : {1u, 2u}) {
    PyObject* found = registry.Find(callback_id);
    EXPECT_EQ(record, found);
    Py_XDECREF(found);
    registry.Remove(callback_id);
  }
}

TEST(PythonCallbackRegistryTest, HoldsOneReferencePerEntry) {
  py::object callable = py::eval("lambda: None");
  const Py_ssize_t before = Py_REFCNT(callable.ptr());
  PythonCallbackRegistry registry;
  uint32_t callback_id = registry.Add(callable.ptr());
  EXPECT_EQ(before + 1, Py_REFCNT(callable.ptr()));

  PyObject* found = registry.Find(callback_id);
  EXPECT_EQ(before + 2, Py_REFCNT(callable.ptr()));
  Py_DECREF(found);

  registry.Remove(callback_id + 1);
  EXPECT_EQ(before + 1, Py_REFCNT(callable.ptr()));
  registry.Remove(callback_id);
  registry.Remove(callback_id);
  EXPECT_EQ(before, Py_REFCNT(callable.ptr()));
}

TEST(PythonCallbackRegistryTest, EntryIsGoneBeforeItsCallableIsReleased) {
  // The callable's last reference is the registry's; its finaliser asks the
  // registry for its own id.
  py::dict scope = PythonScope(R"(
class Probe(object):
    def __call__(self):
        pass
    def __del__(self):
        calls.append(still_registered())
)");
  PythonCallbackRegistry registry;
  uint32_t callback_id = 0;
  scope["still_registered"] = py::cpp_function([&registry, &callback_id]() {
    PyObject* found = registry.Find(callback_id);
    Py_XDECREF(found);
    return found != nullptr;
  });
  py::object probe = scope["Probe"]();
  callback_id = registry.Add(probe.ptr());
  probe = py::none();

  registry.Remove(callback_id);
  EXPECT_EQ("[False]", py::repr(scope["calls"]).cast<std::string>());
}

}  // namespace
}  // namespace zubrix
