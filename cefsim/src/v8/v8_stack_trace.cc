// Stack traces, read from the stack the engine records in a new Error.
#include <JavaScriptCore/JavaScript.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {
namespace {

struct StackFrameData {
  CefString script_name;
  CefString function_name;
  int line = 0;
  int column = 0;
  bool is_eval = false;
};

// Plain data, so usable on any thread, as CEF's are once made.
class StackFrameImpl : public CefV8StackFrame {
 public:
  explicit StackFrameImpl(const StackFrameData& data) : data_(data) {}

  bool IsValid() override { return true; }
  CefString GetScriptName() override { return data_.script_name; }
  CefString GetScriptNameOrSourceURL() override { return data_.script_name; }
  CefString GetFunctionName() override { return data_.function_name; }
  int GetLineNumber() override { return data_.line; }
  int GetColumn() override { return data_.column; }
  bool IsEval() override { return data_.is_eval; }
  bool IsConstructor() override { return false; }

 private:
  const StackFrameData data_;
  IMPLEMENT_REFCOUNTING(StackFrameImpl);
};

class StackTraceImpl : public CefV8StackTrace {
 public:
  explicit StackTraceImpl(std::vector<StackFrameData> frames)
      : frames_(std::move(frames)) {}

  bool IsValid() override { return true; }
  int GetFrameCount() override { return static_cast<int>(frames_.size()); }
  CefRefPtr<CefV8StackFrame> GetFrame(int index) override {
    if (index < 0 || index >= GetFrameCount())
      return nullptr;
    return new StackFrameImpl(frames_[index]);
  }

 private:
  const std::vector<StackFrameData> frames_;
  IMPLEMENT_REFCOUNTING(StackTraceImpl);
};

// A decimal number, or -1.
int ParseNumber(const std::u16string& text) {
  if (text.empty() || text.size() > 9)
    return -1;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9')
      return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// One line: "function@url:line:column", or "url:line:column" at the top
// level of a script; "global code", "eval code" and "module code" name
// what is not a function.
bool ParseFrame(const std::u16string& line, StackFrameData* frame) {
  size_t at = line.find(u'@');
  std::u16string function =
      at == std::u16string::npos ? u"" : line.substr(0, at);
  std::u16string location =
      at == std::u16string::npos ? line : line.substr(at + 1);
  size_t column_colon = location.rfind(u':');
  if (column_colon == std::u16string::npos || column_colon == 0)
    return false;
  size_t line_colon = location.rfind(u':', column_colon - 1);
  if (line_colon == std::u16string::npos)
    return false;
  int line_number = ParseNumber(
      location.substr(line_colon + 1, column_colon - line_colon - 1));
  int column = ParseNumber(location.substr(column_colon + 1));
  if (line_number < 0 || column < 0)
    return false;
  frame->is_eval = function == u"eval code";
  if (function == u"global code" || frame->is_eval ||
      function == u"module code")
    function.clear();
  frame->function_name = cefsim::FromU16String(function);
  frame->script_name = cefsim::FromU16String(location.substr(0, line_colon));
  frame->line = line_number;
  frame->column = column;
  return true;
}

// The script frames of a "stack" text, innermost first, native ones left out.
std::vector<StackFrameData> ParseStack(const std::u16string& stack) {
  std::vector<StackFrameData> frames;
  size_t start = 0;
  while (start < stack.size()) {
    size_t end = std::min(stack.find(u'\n', start), stack.size());
    StackFrameData frame;
    if (ParseFrame(stack.substr(start, end - start), &frame))
      frames.push_back(frame);
    start = end + 1;
  }
  return frames;
}

}  // namespace
}  // namespace cefsim

CefRefPtr<CefV8StackTrace> CefV8StackTrace::GetCurrent(int frame_limit) {
  std::vector<cefsim::StackFrameData> frames;
  CefRefPtr<cefsim::CefV8ContextImpl> context =
      cefsim::CefV8ContextImpl::Current();
  if (context && context->IsValid() && frame_limit > 0) {
    JSContextRef ctx = context->js();
    JSObjectRef error = JSObjectMakeError(ctx, 0, nullptr, nullptr);
    JSValueRef stack = JSObjectGetProperty(
        ctx, error, cefsim::JsString("stack").get(), nullptr);
    CefString text;
    if (JSValueIsString(ctx, stack) &&
        cefsim::ValueToCefString(ctx, stack, &text)) {
      frames = cefsim::ParseStack(cefsim::ToU16String(text));
    }
    if (frames.size() > static_cast<size_t>(frame_limit))
      frames.resize(frame_limit);
  }
  return new cefsim::StackTraceImpl(std::move(frames));
}
