#include "v8/page_globals.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "strings/u16_text.h"
#include "v8/js_string.h"
#include "v8/v8_value_impl.h"

namespace cefsim {
namespace {

// The scripts' way in: functions and accessors that find the page's state,
// if it still exists.
class Binding : public CefV8Handler, public CefV8Accessor {
 public:
  explicit Binding(std::weak_ptr<PageGlobals> globals) : globals_(globals) {}

  bool Execute(const CefString& name,
               CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval,
               CefString& exception) override {
    std::shared_ptr<PageGlobals> globals = globals_.lock();
    if (!globals)
      return false;
    if (name == "setTimeout") {
      retval = CefV8Value::CreateInt(globals->SetTimeout(arguments));
    } else if (name == "clearTimeout") {
      globals->ClearTimeout(arguments);
    } else if (name == "now") {
      retval = CefV8Value::CreateDouble(globals->Now());
    } else {
      globals->Log(arguments);
    }
    return true;
  }

  bool Get(const CefString& name,
           const CefRefPtr<CefV8Value> object,
           CefRefPtr<CefV8Value>& retval,
           CefString& exception) override {
    std::shared_ptr<PageGlobals> globals = globals_.lock();
    if (!globals)
      return false;
    retval = CefV8Value::CreateString(name == "href" ? globals->url()
                                                     : globals->title());
    return true;
  }

  bool Set(const CefString& name,
           const CefRefPtr<CefV8Value> object,
           const CefRefPtr<CefV8Value> value,
           CefString& exception) override {
    std::shared_ptr<PageGlobals> globals = globals_.lock();
    if (!globals)
      return false;
    if (name == "href")
      globals->Navigate(value);
    else
      globals->SetTitle(value);
    return true;
  }

 private:
  const std::weak_ptr<PageGlobals> globals_;
  IMPLEMENT_REFCOUNTING(Binding);
};

constexpr auto kFixed = static_cast<cef_v8_propertyattribute_t>(
    V8_PROPERTY_ATTRIBUTE_READONLY | V8_PROPERTY_ATTRIBUTE_DONTDELETE);

// An object whose only properties are |names|, served by |binding|.
CefRefPtr<CefV8Value> AccessorObject(CefRefPtr<Binding> binding,
                                     std::initializer_list<const char*> names) {
  CefRefPtr<CefV8Value> object = CefV8Value::CreateObject(binding, nullptr);
  for (const char* name : names)
    object->SetValue(name, V8_ACCESS_CONTROL_DEFAULT, V8_PROPERTY_ATTRIBUTE_NONE);
  return object;
}

}  // namespace

PageGlobals::PageGlobals(ScriptHost* host, CefRefPtr<CefV8ContextImpl> context)
    : host_(host),
      context_(context),
      origin_(std::chrono::steady_clock::now()),
      origin_epoch_ms_(std::chrono::duration<double, std::milli>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count()) {}

void PageGlobals::Install() {
  if (!context_->Enter())
    return;
  CefRefPtr<Binding> binding = new Binding(shared_from_this());
  CefRefPtr<CefV8Value> global = context_->GetGlobal();
  CefRefPtr<CefV8Value> console = CefV8Value::CreateObject(nullptr, nullptr);
  // Chrome reports every level to the same place; so does this.
  for (const char* level : {"log", "info", "warn", "error", "debug"})
    console->SetValue(level, CefV8Value::CreateFunction(level, binding),
                      V8_PROPERTY_ATTRIBUTE_NONE);
  global->SetValue("console", console, V8_PROPERTY_ATTRIBUTE_NONE);
  for (const char* name : {"setTimeout", "clearTimeout"})
    global->SetValue(name, CefV8Value::CreateFunction(name, binding),
                     V8_PROPERTY_ATTRIBUTE_NONE);
  CefRefPtr<CefV8Value> performance = CefV8Value::CreateObject(nullptr, nullptr);
  performance->SetValue("now", CefV8Value::CreateFunction("now", binding),
                        V8_PROPERTY_ATTRIBUTE_NONE);
  performance->SetValue("timeOrigin", CefV8Value::CreateDouble(origin_epoch_ms_),
                        kFixed);
  global->SetValue("performance", performance, kFixed);
  global->SetValue("location", AccessorObject(binding, {"href"}), kFixed);
  global->SetValue("document", AccessorObject(binding, {"title"}), kFixed);
  global->SetValue("window", global, kFixed);
  context_->Exit();
}

void PageGlobals::ReportUncaught(CefRefPtr<CefV8Exception> exception) {
  host_->AddConsoleMessage(exception->GetMessage(),
                           exception->GetScriptResourceName(),
                           exception->GetLineNumber());
}

void PageGlobals::Log(const CefV8ValueList& arguments) {
  std::u16string message;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0)
      message += u' ';
    message += cefsim::ToU16String(ToDisplayString(arguments[i]));
  }
  CefString source;
  int line = 0;
  CefRefPtr<CefV8StackTrace> stack = CefV8StackTrace::GetCurrent(1);
  if (stack->GetFrameCount() > 0) {
    source = stack->GetFrame(0)->GetScriptName();
    line = stack->GetFrame(0)->GetLineNumber();
  }
  host_->AddConsoleMessage(cefsim::FromU16String(message), source, line);
}

int PageGlobals::SetTimeout(const CefV8ValueList& arguments) {
  Timer timer;
  if (!arguments.empty() && arguments[0]->IsFunction()) {
    timer.callback = arguments[0];
    if (arguments.size() > 2)
      timer.arguments.assign(arguments.begin() + 2, arguments.end());
  } else if (!arguments.empty()) {
    timer.code = ToDisplayString(arguments[0]);
  }
  // As browsers do: a delay that is not a number, or negative, is 0.
  double delay = arguments.size() > 1 ? arguments[1]->GetDoubleValue() : 0;
  if (!(delay > 0))
    delay = 0;
  delay = std::min(delay, 2147483647.0);

  const int id = next_timer_id_++;
  timers_[id] = timer;
  std::weak_ptr<PageGlobals> weak = shared_from_this();
  host_->PostDelayedTask(
      [weak, id]() {
        if (std::shared_ptr<PageGlobals> globals = weak.lock())
          globals->FireTimer(id);
      },
      static_cast<int64_t>(delay));
  return id;
}

void PageGlobals::ClearTimeout(const CefV8ValueList& arguments) {
  if (!arguments.empty() && arguments[0]->IsInt())
    timers_.erase(arguments[0]->GetIntValue());
}

double PageGlobals::Now() const {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now() - origin_)
      .count();
}

void PageGlobals::Navigate(CefRefPtr<CefV8Value> url) {
  host_->Navigate(ToDisplayString(url));
}

void PageGlobals::SetTitle(CefRefPtr<CefV8Value> title) {
  title_ = ToDisplayString(title);
  host_->OnTitleChange(title_);
}

void PageGlobals::FireTimer(int id) {
  auto found = timers_.find(id);
  if (found == timers_.end())
    return;
  Timer timer = found->second;
  timers_.erase(found);
  if (timer.callback) {
    timer.callback->ExecuteFunctionWithContext(context_, nullptr,
                                               timer.arguments);
    if (timer.callback->HasException())
      ReportUncaught(timer.callback->GetException());
    return;
  }
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  if (!context_->Evaluate(ScriptSource{timer.code, host_->GetUrl(), 1}, retval,
                          exception) &&
      exception) {
    ReportUncaught(exception);
  }
}

CefString PageGlobals::ToDisplayString(CefRefPtr<CefV8Value> value) {
  if (value->IsString())
    return value->GetStringValue();
  JSContextRef ctx = context_->js();
  if (!ctx)
    return CefString();
  CefString text;
  if (ValueToCefString(ctx, CefV8ValueImpl::ToJs(ctx, value), &text))
    return text;
  // Chrome's console shows any value; one without a string form (a symbol,
  // an object whose toString throws) shows as what it is.
  return value->IsObject() ? "[object Object]" : "Symbol()";
}

}  // namespace cefsim
