// An owned JavaScriptCore string, made from and turned into CefStrings
// without loss: both are UTF-16, so U+0000 and surrogate pairs survive.
#ifndef CEFSIM_SRC_V8_JS_STRING_H_
#define CEFSIM_SRC_V8_JS_STRING_H_

#include <JavaScriptCore/JavaScript.h>

#include "include/internal/cef_string.h"

namespace cefsim {

class JsString {
 public:
  explicit JsString(const CefString& text);
  explicit JsString(const char* ascii);
  // Takes over a string the engine handed out (a "Copy" or "Create" result).
  static JsString Adopt(JSStringRef string);
  JsString(JsString&& other) noexcept;
  JsString(const JsString&) = delete;
  JsString& operator=(const JsString&) = delete;
  ~JsString();

  JSStringRef get() const { return string_; }

 private:
  JsString() = default;
  JSStringRef string_ = nullptr;
};

CefString ToCefString(JSStringRef string);
// String conversion as String(value) does; false (with |exception| set when
// given) when it throws.
bool ValueToCefString(JSContextRef ctx, JSValueRef value, CefString* out,
                      JSValueRef* exception = nullptr);

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_JS_STRING_H_
