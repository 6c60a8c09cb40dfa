#include <gtest/gtest.h>

#include <QObject>

#include <string>
#include <vector>

#include "browser/zubrix_cef_client_handler.h"
#include "include/base/cef_logging.h"
#include "test_support/cef_thread.h"

namespace zubrix {
namespace {

// Records what one handler's signals emit; the connections are direct, so
// no event loop is needed.
class Emissions {
 public:
  explicit Emissions(HostBridgeSignals* signals) {
    QObject::connect(signals, &HostBridgeSignals::execute_maya_mel,
                     [this](QString text) { mel.push_back(text); });
    QObject::connect(signals, &HostBridgeSignals::execute_maya_python,
                     [this](QString text) { python.push_back(text); });
    QObject::connect(signals, &HostBridgeSignals::execute_python_callback,
                     [this](int id, CefListValueWrapper args) {
                       callback_ids.push_back(id);
                       callback_args.push_back(args.list);
                     });
  }
  size_t total() const {
    return mel.size() + python.size() + callback_ids.size();
  }

  std::vector<QString> mel;
  std::vector<QString> python;
  std::vector<int> callback_ids;
  std::vector<CefRefPtr<CefListValue>> callback_args;
};

class DispatchTest : public testing::Test {
 protected:
  DispatchTest() : handler_(new ZubrixCefClientHandler), emitted_(handler_->signals()) {}
  // The handler's deletion is posted to CEF's UI thread: it runs before the
  // next test.
  ~DispatchTest() override {
    handler_ = nullptr;
    test_support::RunOnCefThread(TID_UI, [] {});
  }

  // On CEF's UI thread, where CEF delivers it.
  bool Send(CefRefPtr<CefProcessMessage> message) {
    bool taken = false;
    test_support::RunOnCefThread(TID_UI, [&]() {
      taken = handler_->OnProcessMessageReceived(nullptr, PID_RENDERER,
                                                 message);
    });
    return taken;
  }

  static CefRefPtr<CefProcessMessage> Command(const std::string& name,
                                              const std::string& text) {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
    message->GetArgumentList()->SetString(0, text);
    return message;
  }

  CefRefPtr<ZubrixCefClientHandler> handler_;
  Emissions emitted_;
};

TEST_F(DispatchTest, NamesAreMatchedExactly) {
  for (const char* name : {"ExecuteMayaMel ", "executemayamel", "ExecuteMaya",
                           "ExecuteMayaMelX", "", "ExecuteCallPythonCallback\t"}) {
    EXPECT_FALSE(Send(Command(name, "x"))) << name;
  }
  EXPECT_EQ(emitted_.total(), 0u);
}

TEST_F(DispatchTest, CommandTextIsDecodedFromUtf8AndCutAtNul) {
  EXPECT_TRUE(Send(Command("ExecuteMayaMel", "sphere -r 1")));
  EXPECT_TRUE(Send(Command("ExecuteMayaPython",
                           std::string("print('\xC3\xA9')\0tail", 16))));
  EXPECT_TRUE(Send(CefProcessMessage::Create("ExecuteMayaPython")));
  ASSERT_EQ(emitted_.mel.size(), 1u);
  EXPECT_EQ(emitted_.mel[0], QString("sphere -r 1"));
  ASSERT_EQ(emitted_.python.size(), 2u);
  EXPECT_EQ(emitted_.python[0], QString::fromUtf8("print('\xC3\xA9')"));
  EXPECT_TRUE(emitted_.python[1].isEmpty());  // A missing text is empty.
  EXPECT_TRUE(emitted_.callback_ids.empty());
}

TEST_F(DispatchTest, CallbackMessageEmitsOnceWithACopyOfTheList) {
  CefRefPtr<CefProcessMessage> message =
      CefProcessMessage::Create("ExecuteCallPythonCallback");
  CefRefPtr<CefListValue> args = CefListValue::Create();
  args->SetString(0, "a");
  args->SetInt(1, 2);
  args->SetBool(2, true);
  message->GetArgumentList()->SetInt(0, 3);
  message->GetArgumentList()->SetList(1, args);

  EXPECT_TRUE(Send(message));
  ASSERT_EQ(emitted_.callback_ids, std::vector<int>{3});
  CefRefPtr<CefListValue> received = emitted_.callback_args[0];
  ASSERT_TRUE(received);
  EXPECT_EQ(received->GetSize(), 3u);
  EXPECT_EQ(received->GetString(0).ToString(), "a");
  EXPECT_EQ(received->GetInt(1), 2);
  EXPECT_TRUE(received->GetBool(2));

  // The emitted list is independent of the message, which the sender may
  // change or release at once.
  message->GetArgumentList()->GetList(1)->SetInt(1, 99);
  message = nullptr;
  EXPECT_EQ(received->GetInt(1), 2);
  EXPECT_EQ(emitted_.total(), 1u);
}

TEST_F(DispatchTest, CallbackMessageWithoutAListIsTakenAndDropped) {
  CefRefPtr<CefProcessMessage> message =
      CefProcessMessage::Create("ExecuteCallPythonCallback");
  message->GetArgumentList()->SetInt(0, 1);
  message->GetArgumentList()->SetString(1, "not a list");
  EXPECT_TRUE(Send(message));
  EXPECT_TRUE(Send(CefProcessMessage::Create("ExecuteCallPythonCallback")));
  EXPECT_EQ(emitted_.total(), 0u);
}

TEST_F(DispatchTest, MissingCallbackIdReadsAsZero) {
  CefRefPtr<CefProcessMessage> message =
      CefProcessMessage::Create("ExecuteCallPythonCallback");
  message->GetArgumentList()->SetString(0, "7");
  message->GetArgumentList()->SetList(1, CefListValue::Create());
  EXPECT_TRUE(Send(message));
  EXPECT_EQ(emitted_.callback_ids, std::vector<int>{0});
  EXPECT_EQ(emitted_.callback_args[0]->GetSize(), 0u);
}

// Where DCHECKs are compiled in, a callback that CEF makes on its UI thread
// stops the process when called on any other.
TEST(ThreadContractDeathTest, UiThreadCallbackStopsElsewhere) {
  if (!DCHECK_IS_ON())
    GTEST_SKIP() << "DCHECKs are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  CefRefPtr<ZubrixCefClientHandler> handler = new ZubrixCefClientHandler;
  CefRefPtr<CefProcessMessage> message =
      CefProcessMessage::Create("ExecuteMayaMel");
  EXPECT_DEATH(
      handler->OnProcessMessageReceived(nullptr, PID_RENDERER, message),
      "Check failed: CefCurrentlyOn\\(TID_UI\\)");
}

}  // namespace
}  // namespace zubrix
