// The extensions registered with CefRegisterExtension, kept for the whole
// process and run in every new context.
#ifndef CEFSIM_SRC_V8_EXTENSIONS_H_
#define CEFSIM_SRC_V8_EXTENSIONS_H_

#include <functional>

#include "include/cef_v8.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {

using ExceptionReporter = std::function<void(CefRefPtr<CefV8Exception>)>;

// Runs each registered extension in |context|, in registration order; an
// extension that throws goes to |report| and does not stop the others.
void InstallExtensions(CefRefPtr<CefV8ContextImpl> context,
                       const ExceptionReporter& report);

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_EXTENSIONS_H_
