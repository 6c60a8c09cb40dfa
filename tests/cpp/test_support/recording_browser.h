// A browser that only keeps the process messages sent through it, for
// handler tests that run without a browser process.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_RECORDING_BROWSER_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_RECORDING_BROWSER_H_

#include <vector>

#include "include/cef_browser.h"

namespace zubrix {

class RecordingBrowser : public CefBrowser {
 public:
  explicit RecordingBrowser(int identifier = 1) : identifier_(identifier) {}

  bool SendProcessMessage(CefProcessId target_process,
                          CefRefPtr<CefProcessMessage> message) override {
    sent.push_back(message);
    return target_process == PID_BROWSER;
  }

  std::vector<CefRefPtr<CefProcessMessage>> sent;

  CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
  bool CanGoBack() override { return false; }
  void GoBack() override {}
  bool CanGoForward() override { return false; }
  void GoForward() override {}
  bool IsLoading() override { return false; }
  void Reload() override {}
  void ReloadIgnoreCache() override {}
  void StopLoad() override {}
  int GetIdentifier() override { return identifier_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
  bool IsPopup() override { return false; }
  bool HasDocument() override { return true; }
  CefRefPtr<CefFrame> GetMainFrame() override { return nullptr; }
  CefRefPtr<CefFrame> GetFocusedFrame() override { return nullptr; }
  CefRefPtr<CefFrame> GetFrame(int64 identifier) override { return nullptr; }
  CefRefPtr<CefFrame> GetFrame(const CefString& name) override {
    return nullptr;
  }
  size_t GetFrameCount() override { return 0; }
  void GetFrameIdentifiers(std::vector<int64>& identifiers) override {}
  void GetFrameNames(std::vector<CefString>& names) override {}

 private:
  const int identifier_;
  IMPLEMENT_REFCOUNTING(RecordingBrowser);
};

}  // namespace zubrix

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_RECORDING_BROWSER_H_
