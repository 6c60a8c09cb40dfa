// Script contexts, loads and limits for the system's code tested on its own.
#include <future>
#include <utility>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "include/cef_request.h"
#include "cefsim/src/ipc/value_codec.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/loader/scheme_registry.h"
#include "cefsim/src/v8/script_context.h"
#include "cefsim/src/v8/script_host.h"

namespace cefsim_inspect {
namespace {

// No frame: console output and timers go nowhere, and nothing navigates.
class QuietHost : public cefsim::ScriptHost {
 public:
  void AddConsoleMessage(const CefString&, const CefString&, int) override {}
  void PostDelayedTask(std::function<void()>, int64_t) override {}
  CefString GetUrl() override { return "about:blank"; }
  void Navigate(const CefString&) override {}
  void OnTitleChange(const CefString&) override {}
  void CloseWindow() override {}
};

}  // namespace

struct EnteredScriptContext::Parts {
  explicit Parts(CefRefPtr<CefBrowser> browser)
      : script(browser, nullptr, &host) {}
  QuietHost host;
  cefsim::ScriptContext script;
};

EnteredScriptContext::EnteredScriptContext(CefRefPtr<CefBrowser> browser)
    : parts_(std::make_unique<Parts>(browser)) {
  context()->Enter();
}

EnteredScriptContext::~EnteredScriptContext() {
  context()->Exit();
}

CefRefPtr<CefV8Context> EnteredScriptContext::context() const {
  return parts_->script.context();
}

CefRefPtr<CefResourceHandler> SchemeHandlerFor(const std::string& url) {
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL(url);
  return cefsim::CreateSchemeHandler(nullptr, nullptr, request);
}

LoadedResource LoadResource(const std::string& url) {
  std::promise<cefsim::LoadResult> done;
  cefsim::LoadResource(url, nullptr, nullptr, RT_MAIN_FRAME,
                       [&done](cefsim::LoadResult result) {
                         done.set_value(std::move(result));
                       });
  cefsim::LoadResult result = done.get_future().get();
  LoadedResource loaded;
  loaded.ok = result.ok;
  loaded.error = result.error;
  loaded.status = result.status;
  loaded.mime_type = std::move(result.mime_type);
  loaded.body = std::move(result.body);
  return loaded;
}

int MaxMessageListDepth() {
  return cefsim::kMaxWireValueDepth;
}

}  // namespace cefsim_inspect
