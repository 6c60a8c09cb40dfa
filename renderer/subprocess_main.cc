// zubrix_cef_subprocess: the executable CEF starts for its render and other
// sub-processes, running the module's application object there.
#include "include/cef_app.h"
#include "common/cef_plovex_app.h"

#if defined(_WIN32)
#include <windows.h>

int APIENTRY wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  CefMainArgs main_args(instance);
#else
int main(int argc, char* argv[]) {
  CefMainArgs main_args(argc, argv);
#endif
  CefRefPtr<zubrix::CefPlovexApp> app(new zubrix::CefPlovexApp);
  // The browser process starts CEF without a sandbox.
  return CefExecuteProcess(main_args, app.get(), nullptr);
}
