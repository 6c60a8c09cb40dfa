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
//   "eval" (code): answers "eval" with the result of the code in the main
//     frame's context (a string as it is, other values as their type
//     tests), or "exception: " and the message.
//   "exec" (code): runs the code with the main frame's ExecuteJavaScript.
// On OnBrowserCreated it sends "created" with the browser's identifier; on
// OnContextCreated "context_created" (frame URL, whether the context gives
// back the frame and browser and is the frame's context, typeof test);
// on OnContextReleased "context_released" (frame URL, whether still valid).
//
// Pages find the extension "test" (registered in OnWebKitInitialized):
//   test.describe(value): the names of the type tests the value passes.
//   test.send(name, values...): a process message from the calling
//     context's browser, with the context's frame URL, then the values.
class TestApp : public CefApp, public CefRenderProcessHandler {
 public:
  CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override {
    return this;
  }
  void OnWebKitInitialized() override;
  void OnBrowserCreated(CefRefPtr<CefBrowser> browser) override;
  void OnContextCreated(CefRefPtr<CefBrowser> browser,
                        CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefV8Context> context) override;
  void OnContextReleased(CefRefPtr<CefBrowser> browser,
                         CefRefPtr<CefFrame> frame,
                         CefRefPtr<CefV8Context> context) override;
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                CefProcessId source_process,
                                CefRefPtr<CefProcessMessage> message) override;

 private:
  IMPLEMENT_REFCOUNTING(TestApp);
};

#endif  // ZUBRIX_TESTS_CPP_CEFSIM_BROWSERS_TEST_APP_H_
