#include "cefsim/src/v8/v8_exception_impl.h"

#include <algorithm>
#include <string>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/v8_value_impl.h"

namespace cefsim {
namespace {

JSValueRef Property(JSContextRef ctx, JSObjectRef object, const char* name) {
  return JSObjectGetProperty(ctx, object, JsString(name).get(), nullptr);
}

int IntProperty(JSContextRef ctx, JSObjectRef object, const char* name) {
  JSValueRef value = Property(ctx, object, name);
  if (!JSValueIsNumber(ctx, value))
    return 0;
  return JSValueToInt32(ctx, value, nullptr);
}

}  // namespace

CefV8ExceptionImpl::CefV8ExceptionImpl(JSContextRef ctx, JSValueRef exception,
                                       const ScriptSource* source,
                                       CefRefPtr<CefV8ContextImpl> context) {
  if (context)
    thrown_ = CefV8ValueImpl::FromJs(context, exception);
  CefString thrown;
  if (!ValueToCefString(ctx, exception, &thrown))
    thrown = "exception";
  message_ = cefsim::FromU16String(u"Uncaught " + cefsim::ToU16String(thrown));
  if (!JSValueIsObject(ctx, exception))
    return;
  // Errors carry where they were thrown; other thrown objects carry nothing.
  JSObjectRef error = JSValueToObject(ctx, exception, nullptr);
  JSValueRef url = Property(ctx, error, "sourceURL");
  if (JSValueIsString(ctx, url))
    ValueToCefString(ctx, url, &resource_name_);
  line_number_ = IntProperty(ctx, error, "line");
  start_column_ = std::max(IntProperty(ctx, error, "column") - 1, 0);
  if (source && resource_name_ == source->url)
    LocateInSource(*source);
}

void CefV8ExceptionImpl::LocateInSource(const ScriptSource& source) {
  const std::u16string code = cefsim::ToU16String(source.code);
  int line = std::max(source.start_line, 1);
  size_t line_start = 0;
  while (line < line_number_ && line_start <= code.size()) {
    size_t end = code.find(u'\n', line_start);
    if (end == std::u16string::npos)
      return;
    line_start = end + 1;
    ++line;
  }
  if (line != line_number_)
    return;
  size_t line_end = code.find(u'\n', line_start);
  if (line_end == std::u16string::npos)
    line_end = code.size();
  source_line_ =
      cefsim::FromU16String(code.substr(line_start, line_end - line_start));
  start_position_ = static_cast<int>(line_start) + start_column_;
}

JSValueRef MakeJsError(JSContextRef ctx, const CefString& message) {
  JSValueRef text = JSValueMakeString(ctx, JsString(message).get());
  return JSObjectMakeError(ctx, 1, &text, nullptr);
}

}  // namespace cefsim
