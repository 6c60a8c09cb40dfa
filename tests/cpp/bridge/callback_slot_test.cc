// The slot as Qt calls it on the main thread: the conversion of the call's
// list and the calls it drops.
#include <gtest/gtest.h>

#include <string>

#include "bridge/host_bridge_singleton.h"
#include "tests/cpp/bridge/host_environment.h"

namespace py = pybind11;

namespace zubrix {
namespace {

void CallSlot(int callback_id, CefRefPtr<CefListValue> list) {
  CefListValueWrapper args;
  args.list = list;
  HostBridgeSingleton::Instance()->execute_python_callback(callback_id, args);
}

// What a registered callable receives for |list|, as repr of its arguments.
std::string ArgumentsFor(CefRefPtr<CefListValue> list) {
  py::dict scope = PythonScope();
  uint32_t callback_id = RegisterFromScope(scope, "record");
  CallSlot(static_cast<int>(callback_id), list);
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
  return RecordedArguments(scope);
}

CefRefPtr<CefListValue> ListOfText(const std::string& utf8) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, utf8);
  return list;
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// Captures what Python prints to sys.stderr while the object lives.
class StderrCapture {
 public:
  StderrCapture()
      : sys_(py::module_::import("sys")),
        saved_(sys_.attr("stderr")),
        buffer_(py::module_::import("io").attr("StringIO")()) {
    sys_.attr("stderr") = buffer_;
  }
  ~StderrCapture() { sys_.attr("stderr") = saved_; }
  std::string text() { return buffer_.attr("getvalue")().cast<std::string>(); }

 private:
  py::module_ sys_;
  py::object saved_;
  py::object buffer_;
};

TEST(CallbackSlotTest, SpreadsTheListIntoPositionalArguments) {
  EXPECT_EQ("[()]", ArgumentsFor(CefListValue::Create()));

  CefRefPtr<CefListValue> inner = CefListValue::Create();
  inner->SetString(0, "y");
  CefRefPtr<CefListValue> nested = CefListValue::Create();
  nested->SetInt(0, 1);
  nested->SetList(1, inner);
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, "x");
  list->SetInt(1, 5);
  list->SetBool(2, false);
  list->SetList(3, nested);
  EXPECT_EQ("[(b'x', 5, False, (1, (b'y',)))]", ArgumentsFor(list));

  list = CefListValue::Create();
  list->SetInt(0, -5);
  list->SetInt(1, 2147483647);
  list->SetBool(2, true);
  list->SetList(3, CefListValue::Create());
  EXPECT_EQ("[(-5, 2147483647, True, ())]", ArgumentsFor(list));
}

TEST(CallbackSlotTest, GivesTextAsUtf8BytesEndingAtTheFirstNul) {
  EXPECT_EQ("[(b'\\xc3\\xa9',)]", ArgumentsFor(ListOfText("\xc3\xa9")));
  EXPECT_EQ("[(b'\\xf0\\x9f\\x98\\x80',)]",
            ArgumentsFor(ListOfText("\xf0\x9f\x98\x80")));
  EXPECT_EQ("[(b'a',)]", ArgumentsFor(ListOfText(std::string("a\0b", 3))));
  EXPECT_EQ("[(b'',)]", ArgumentsFor(ListOfText(std::string("\0b", 2))));
  EXPECT_EQ("[(b'',)]", ArgumentsFor(ListOfText("")));
}

TEST(CallbackSlotTest, FillsEntriesThatDoNotTravelWithNone) {
  CefRefPtr<CefListValue> inner = CefListValue::Create();
  inner->SetDouble(0, 2.5);
  inner->SetInt(1, 3);
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetNull(0);
  list->SetDouble(1, 1.5);
  list->SetBinary(2, CefBinaryValue::Create("ab", 2));
  list->SetDictionary(3, CefDictionaryValue::Create());
  list->SetList(4, inner);
  list->SetBool(6, true);  // leaves a gap at 5
  EXPECT_EQ("[(None, None, None, None, (None, 3), None, True)]",
            ArgumentsFor(list));
}

TEST(CallbackSlotTest, NullListCallsWithoutArguments) {
  EXPECT_EQ("[()]", ArgumentsFor(nullptr));
}

TEST(CallbackSlotTest, LeavesSharedObjectsReferencedAsBefore) {
  py::dict scope = PythonScope(R"(
import sys
def discard(*args):
    pass
def counts():
    return (sys.getrefcount(None), sys.getrefcount(True),
            sys.getrefcount(False))
)");
  uint32_t callback_id = RegisterFromScope(scope, "discard");
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetBool(0, true);
  list->SetBool(1, false);
  list->SetNull(2);
  list->SetDouble(3, 1.0);
  py::object before = scope["counts"]();
  for (int i = 0; i < 200; ++i)
    CallSlot(static_cast<int>(callback_id), list);
  EXPECT_TRUE(before.equal(scope["counts"]()));
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
}

TEST(CallbackSlotTest, DropsUnknownIdsAndObjectsThatCannotBeCalled) {
  py::dict scope = PythonScope("not_callable = 42\n");
  HostBridgeSingleton* bridge = HostBridgeSingleton::Instance();
  uint32_t not_callable = RegisterFromScope(scope, "not_callable");
  uint32_t unregistered = RegisterFromScope(scope, "record");
  bridge->UnregisterPyCallback(unregistered);

  StderrCapture stderr_capture;
  CefRefPtr<CefListValue> list = ListOfText("x");
  CallSlot(static_cast<int>(not_callable), list);
  CallSlot(static_cast<int>(unregistered), list);
  CallSlot(-1, list);
  CallSlot(static_cast<int>(unregistered + 1000), list);

  EXPECT_EQ("[]", RecordedArguments(scope));
  EXPECT_EQ("", stderr_capture.text());
  EXPECT_FALSE(PyErr_Occurred());
  bridge->UnregisterPyCallback(not_callable);
}

TEST(CallbackSlotTest, PrintsWhatTheCallableRaisesOnceAndGoesOn) {
  py::dict scope = PythonScope(R"(
def fail_on_true(flag):
    calls.append((0, (flag,)))
    if flag:
        raise ValueError("boom %d" % len(calls))
)");
  uint32_t callback_id = RegisterFromScope(scope, "fail_on_true");
  StderrCapture stderr_capture;
  for (bool flag : {true, true, false}) {
    CefRefPtr<CefListValue> list = CefListValue::Create();
    list->SetBool(0, flag);
    CallSlot(static_cast<int>(callback_id), list);
    EXPECT_FALSE(PyErr_Occurred());
  }
  std::string printed = stderr_capture.text();
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);

  EXPECT_EQ("[(True,), (True,), (False,)]", RecordedArguments(scope));
  EXPECT_EQ(2, Occurrences(printed, "Traceback"));
  EXPECT_EQ(1, Occurrences(printed, "ValueError: boom 1\n"));
  EXPECT_EQ(1, Occurrences(printed, "ValueError: boom 2\n"));
}

TEST(CallbackSlotTest, CallableMayUnregisterItsOwnIdWhileRunning) {
  py::dict scope = PythonScope(R"(
import gc, weakref, zubrix_callbacks
class Once:
    def __call__(self, *args):
        zubrix_callbacks.UnregisterPyCallback(self.callback_id)
        gc.collect()
        calls.append((0, args + (self.callback_id,)))
once = Once()
once.callback_id = zubrix_callbacks.RegisterPyCallback(once)
callback_id = once.callback_id
alive = weakref.ref(once)
del once
)");
  int callback_id = scope["callback_id"].cast<int>();
  CallSlot(callback_id, ListOfText("a"));
  CallSlot(callback_id, ListOfText("b"));

  EXPECT_EQ("[(b'a', " + std::to_string(callback_id) + ")]",
            RecordedArguments(scope));
  EXPECT_TRUE(scope["alive"]().is_none());
  EXPECT_FALSE(PyErr_Occurred());
}

}  // namespace
}  // namespace zubrix
