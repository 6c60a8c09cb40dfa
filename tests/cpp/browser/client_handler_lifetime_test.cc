// What a browser leaves behind: its client handler, deleted on CEF's UI
// thread, and its start-up code, dropped when it closes.
#include <gtest/gtest.h>

#include <QObject>
#include <QThread>

#include <future>
#include <string>

#include "bridge/host_bridge_singleton.h"
#include "browser/startup_codes.h"
#include "browser/zubrix_cef_client_handler.h"
#include "test_support/cef_thread.h"
#include "test_support/recording_browser.h"

namespace zubrix {
namespace {

using test_support::RunOnCefThread;

bool HasStartupCode(int browser_id) {
  std::string code;
  return HostBridgeSingleton::Instance()->GetStartupCode(browser_id, &code);
}

TEST(ClientHandlerLifetimeTest, DeletedOnTheUiThreadWhereverReleased) {
  CefRefPtr<ZubrixCefClientHandler> handler;
  QThread* ui_thread = nullptr;
  RunOnCefThread(TID_UI, [&] {
    handler = new ZubrixCefClientHandler;
    ui_thread = QThread::currentThread();
  });
  std::promise<QThread*> deleted_on;
  QObject::connect(handler->signals(), &QObject::destroyed, [&deleted_on] {
    deleted_on.set_value(QThread::currentThread());
  });
  handler = nullptr;  // The last reference goes on the test's main thread.
  EXPECT_EQ(deleted_on.get_future().get(), ui_thread);
}

TEST(StartupCodeLifetimeTest, CodeGoesWhenItsBrowserCloses) {
  CefRefPtr<ZubrixCefClientHandler> handler = new ZubrixCefClientHandler;
  CefRefPtr<CefBrowser> browser = new RecordingBrowser(41);
  CefRefPtr<CefBrowser> other = new RecordingBrowser(42);
  RunOnCefThread(TID_UI, [&] {
    handler->OnAfterCreated(browser);
    handler->OnAfterCreated(other);
    KeepStartupCode(browser, "first();");
    KeepStartupCode(other, "other();");
    EXPECT_TRUE(HasStartupCode(41));
    handler->OnBeforeClose(browser);
    EXPECT_FALSE(HasStartupCode(41));
    EXPECT_TRUE(HasStartupCode(42)) << "another browser's code went too";
    // A registration whose task runs after the close keeps nothing.
    KeepStartupCode(browser, "late();");
    EXPECT_FALSE(HasStartupCode(41));
    handler->OnBeforeClose(other);
    EXPECT_FALSE(HasStartupCode(42));
  });
  handler = nullptr;
  RunOnCefThread(TID_UI, [] {});  // The handler's deletion, posted there.
}

}  // namespace
}  // namespace zubrix
