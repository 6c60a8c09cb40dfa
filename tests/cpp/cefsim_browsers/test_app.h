// The tests' application object. The test executable is its own render
// process; there this object answers the browser-side test's process
// messages, so that tests can see the render side from the browser.
#ifndef ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_TEST_APP_H_
#define ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_TEST_APP_H_

#include "include/cef_app.h"

// Messages the render side understands, and what it does:
//   "echo" (args...): answers "echo" with the same arguments.
//   "frames": answers "frames" with the render side's frame URLs.
//   "garbage": sends the browser process a frame that does not decode.
//   "crash": ends the render process as a crash does.
// On OnBrowserCreated it sends "created" with the browser's identifier.
class TestApp : public CefApp, public CefRenderProcessHandler {
 public:
  CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override {
    return this;
  }
  void OnBrowserCreated(CefRefPtr<CefBrowser> browser) override;
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override;

 private:
  IMPLEMENT_REFCOUNTING(TestApp);
};

#endif  // ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_TEST_APP_H_
