// The application object's render-process hook: the JavaScript host
// extension through which pages call Python.
#include "common/cef_plovex_app.h"
#include "include/wrapper/cef_helpers.h"
#include "renderer/v8_function_handler.h"

namespace zubrix {
namespace {

const char kHostExtensionName[] = "v8/host";
// One line: where the source's lines were joined, their indentation stayed.
const char kHostExtensionSource[] =
    "var host;"
    "if (!host)"
    "    host = {};"
    "(function() {"
    "    host.call_python_callback = function(callback_id, args) {"
    "        native function call_python_callback();"
    "        return call_python_callback(callback_id, args);"
    "    };"
    "})();;";

}  // namespace

void CefPlovexApp::OnWebKitInitialized() {
  CEF_REQUIRE_RENDERER_THREAD();
  CefRegisterExtension(kHostExtensionName, kHostExtensionSource,
                       new V8FunctionHandler);
}

}  // namespace zubrix
