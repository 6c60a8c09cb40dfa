#include "cefsim/src/v8/js_string.h"

#include <utility>

namespace cefsim {

static_assert(sizeof(JSChar) == sizeof(char16), "both strings are UTF-16");

JsString::JsString(const CefString& text)
    : string_(JSStringCreateWithCharacters(
          reinterpret_cast<const JSChar*>(text.c_str()), text.length())) {}

JsString::JsString(const char* ascii)
    : string_(JSStringCreateWithUTF8CString(ascii)) {}

JsString JsString::Adopt(JSStringRef string) {
  JsString adopted;
  adopted.string_ = string;
  return adopted;
}

JsString::JsString(JsString&& other) noexcept
    : string_(std::exchange(other.string_, nullptr)) {}

JsString::~JsString() {
  if (string_)
    JSStringRelease(string_);
}

CefString ToCefString(JSStringRef string) {
  if (!string)
    return CefString();
  return CefString(reinterpret_cast<const char16*>(
                       JSStringGetCharactersPtr(string)),
                   JSStringGetLength(string), true);
}

bool ValueToCefString(JSContextRef ctx, JSValueRef value, CefString* out,
                      JSValueRef* exception) {
  JSValueRef thrown = nullptr;
  JsString text = JsString::Adopt(JSValueToStringCopy(ctx, value, &thrown));
  if (thrown || !text.get()) {
    if (exception)
      *exception = thrown;
    return false;
  }
  *out = ToCefString(text.get());
  return true;
}

}  // namespace cefsim
