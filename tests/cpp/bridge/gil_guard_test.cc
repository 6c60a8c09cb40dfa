#include "bridge/gil_guard.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "bridge/host_bridge_singleton.h"
#include "tests/cpp/bridge/host_environment.h"

namespace py = pybind11;

namespace zubrix {
namespace {

TEST(GilGuardTest, TakesAndReleasesTheLockOnAThreadWithoutIt) {
  py::gil_scoped_release release;
  std::thread other([] {
    GilGuard outer;
    EXPECT_TRUE(outer.held());
    EXPECT_EQ(1, PyGILState_Check());
    {
      GilGuard inner;
      EXPECT_TRUE(inner.held());
    }
    EXPECT_EQ(1, PyGILState_Check());
    outer.Release();
    EXPECT_FALSE(outer.held());
    EXPECT_EQ(0, PyGILState_Check());
  });
  other.join();
}

TEST(GilGuardDeathTest, SlotDropsCallsOnceTheInterpreterIsGone) {
  EXPECT_EXIT(
      {
        py::dict scope = PythonScope(
            "import os\n"
            "def leave(*args):\n"
            "    os._exit(3)\n");
        uint32_t callback_id = RegisterFromScope(scope, "leave");
        Py_FinalizeEx();
        if (GilGuard().held())
          _exit(4);
        CefListValueWrapper args;
        args.list = CefListValue::Create();
        HostBridgeSingleton::Instance()->execute_python_callback(
            static_cast<int>(callback_id), args);
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zubrix
