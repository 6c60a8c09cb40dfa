// What tests of the system's code on its own (no browser, no render
// process) use of the stand-in: script contexts, resource loading and a
// limit of process messages. Included by cefsim_inspect.h.
#ifndef CEFSIM_INSPECTION_API_CEFSIM_INSPECT_STANDALONE_H_
#define CEFSIM_INSPECTION_API_CEFSIM_INSPECT_STANDALONE_H_

#include <memory>
#include <string>

#include "include/cef_browser.h"
#include "include/cef_resource_handler.h"
#include "include/cef_v8.h"

namespace cefsim_inspect {

// A document's script context made on the calling thread with no frame or
// render process behind it, and entered there until this is destroyed (on
// that thread). The page globals and every registered extension are in it;
// its console output and timers go nowhere. Its GetBrowser answers
// |browser|.
class EnteredScriptContext {
 public:
  explicit EnteredScriptContext(CefRefPtr<CefBrowser> browser = nullptr);
  ~EnteredScriptContext();
  EnteredScriptContext(const EnteredScriptContext&) = delete;
  EnteredScriptContext& operator=(const EnteredScriptContext&) = delete;

  CefRefPtr<CefV8Context> context() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// On CEF's IO thread: the handler that the factory registered for |url|
// gives a GET request of it, as CEF asks for one; null when none is
// registered or the factory gives none.
CefRefPtr<CefResourceHandler> SchemeHandlerFor(const std::string& url);

struct LoadedResource {
  // False when the load failed; |error| then says why.
  bool ok = false;
  cef_errorcode_t error = ERR_NONE;
  int status = 0;
  std::string mime_type;
  std::string body;
};

// Loads |url| for no browser, as a main frame's request, on CEF's IO thread
// (StartThread(TID_IO) first), and waits for the whole answer. Fails with
// ERR_ABORTED when no IO thread runs.
LoadedResource LoadResource(const std::string& url);

// How deep the lists of a process message may nest: the channel between
// the processes refuses a deeper one, so no handler ever sees it.
int MaxMessageListDepth();

}  // namespace cefsim_inspect

#endif  // CEFSIM_INSPECTION_API_CEFSIM_INSPECT_STANDALONE_H_
