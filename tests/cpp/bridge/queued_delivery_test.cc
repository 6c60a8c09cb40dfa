// Emissions from a thread other than the main one reach the slot through
// Qt's queue, on the main thread, when its event loop turns.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <thread>

#include "bridge/host_bridge_signals.h"
#include "bridge/host_bridge_singleton.h"
#include "tests/cpp/bridge/host_environment.h"

namespace py = pybind11;

namespace zubrix {
namespace {

// Connected as the browser-creation task connects a client's signals.
std::unique_ptr<HostBridgeSignals> ConnectedSignals() {
  auto signals = std::make_unique<HostBridgeSignals>();
  EXPECT_TRUE(QObject::connect(
      signals.get(), "2execute_python_callback(int, CefListValueWrapper)",
      HostBridgeSingleton::Instance(),
      "1execute_python_callback(int, CefListValueWrapper)"));
  return signals;
}

// Emits on a thread of its own, which then drops its list reference, and
// returns once that thread has ended.
void EmitFromOtherThread(HostBridgeSignals* signals, uint32_t callback_id,
                         CefRefPtr<CefListValue> list) {
  std::thread emitter([signals, callback_id, &list] {
    CefListValueWrapper args;
    args.list = list;
    list = nullptr;
    Q_EMIT signals->execute_python_callback(static_cast<int>(callback_id),
                                            args);
  });
  emitter.join();
}

// The host's event loop, which runs without the interpreter lock.
void TurnEventLoop() {
  py::gil_scoped_release release;
  QCoreApplication::processEvents();
}

std::string CallingThreads(const py::dict& scope) {
  return py::eval(
             "repr(['main' if ident == threading.main_thread().ident "
             "else 'other' for ident, _ in calls])",
             scope)
      .cast<std::string>();
}

TEST(QueuedDeliveryTest, WrapperTravelsUnderItsRegisteredName) {
  HostBridgeSingleton::Instance();
  int type_id = QMetaType::type("CefListValueWrapper");
  ASSERT_EQ(qMetaTypeId<CefListValueWrapper>(), type_id);
  EXPECT_EQ(QMetaType::NeedsConstruction | QMetaType::NeedsDestruction |
                QMetaType::WasDeclaredAsMetaType,
            static_cast<int>(QMetaType::typeFlags(type_id)));
}

TEST(QueuedDeliveryTest, SlotRunsOnTheMainThreadOnlyWhenItsLoopTurns) {
  py::dict scope = PythonScope();
  uint32_t callback_id = RegisterFromScope(scope, "record");
  std::unique_ptr<HostBridgeSignals> signals = ConnectedSignals();
  CefRefPtr<CefListValue> nested = CefListValue::Create();
  nested->SetString(0, "y");
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, "x");
  list->SetList(1, nested);
  nested = nullptr;

  EmitFromOtherThread(signals.get(), callback_id, list);
  EXPECT_EQ("[]", RecordedArguments(scope));
  TurnEventLoop();

  EXPECT_EQ("[(b'x', (b'y',))]", RecordedArguments(scope));
  EXPECT_EQ("['main']", CallingThreads(scope));
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
}

TEST(QueuedDeliveryTest, SlotAlsoRunsWhenTheLoopHoldsTheInterpreterLock) {
  py::dict scope = PythonScope();
  uint32_t callback_id = RegisterFromScope(scope, "record");
  std::unique_ptr<HostBridgeSignals> signals = ConnectedSignals();

  EmitFromOtherThread(signals.get(), callback_id, CefListValue::Create());
  QCoreApplication::processEvents();

  EXPECT_EQ("[()]", RecordedArguments(scope));
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
}

TEST(QueuedDeliveryTest, IdIsLookedUpWhenTheCallIsDelivered) {
  py::dict scope = PythonScope();
  uint32_t callback_id = RegisterFromScope(scope, "record");
  std::unique_ptr<HostBridgeSignals> signals = ConnectedSignals();

  EmitFromOtherThread(signals.get(), callback_id, CefListValue::Create());
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
  uint32_t later_id = RegisterFromScope(scope, "record");
  TurnEventLoop();

  EXPECT_EQ("[]", RecordedArguments(scope));
  HostBridgeSingleton::Instance()->UnregisterPyCallback(later_id);
}

TEST(QueuedDeliveryTest, DeletedSignalsLeaveOtherConnectionsWorking) {
  py::dict scope = PythonScope();
  uint32_t callback_id = RegisterFromScope(scope, "record");
  std::unique_ptr<HostBridgeSignals> closed = ConnectedSignals();
  std::unique_ptr<HostBridgeSignals> open = ConnectedSignals();
  closed.reset();

  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetInt(0, 1);
  EmitFromOtherThread(open.get(), callback_id, list);
  TurnEventLoop();

  EXPECT_EQ("[(1,)]", RecordedArguments(scope));
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
}

}  // namespace
}  // namespace zubrix
