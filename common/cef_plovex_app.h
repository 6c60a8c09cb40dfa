// The application object CEF asks, in every process, for its process-wide
// hooks: command-line switches everywhere, the JavaScript host extension in
// render processes. That render-process hook is defined with the extension,
// in renderer/host_extension.cc.
#ifndef ZUBRIX_COMMON_CEF_PLOVEX_APP_H_
#define ZUBRIX_COMMON_CEF_PLOVEX_APP_H_

#include "include/cef_app.h"

namespace zubrix {

class CefPlovexApp : public CefApp, public CefRenderProcessHandler {
 public:
  CefPlovexApp() {}

  // CefApp:
  void OnBeforeCommandLineProcessing(
      const CefString& process_type,
      CefRefPtr<CefCommandLine> command_line) override;
  CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override {
    return this;
  }

  // CefRenderProcessHandler:
  void OnWebKitInitialized() override;

 private:
  IMPLEMENT_REFCOUNTING(CefPlovexApp);
  DISALLOW_COPY_AND_ASSIGN(CefPlovexApp);
};

}  // namespace zubrix

#endif  // ZUBRIX_COMMON_CEF_PLOVEX_APP_H_
