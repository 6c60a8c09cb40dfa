#include "cefsim/src/v8/page_globals.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/url/fragments.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/v8_exception_impl.h"
#include "cefsim/src/v8/v8_value_impl.h"

// JavaScriptCore's own way to hear of promises rejected with no handler,
// exported by its library but declared only in its private headers.
extern "C" JS_EXPORT void JSGlobalContextSetUnhandledRejectionCallback(
    JSGlobalContextRef ctx, JSObjectRef function, JSValueRef* exception);

namespace cefsim {
namespace {

void SetProperty(CefRefPtr<CefV8Value> object, const char* name,
                 CefRefPtr<CefV8Value> value) {
  object->SetValue(name, value, V8_PROPERTY_ATTRIBUTE_NONE);
}

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
    } else if (name == "close") {
      globals->CloseWindow();
    } else if (name == "addEventListener") {
      globals->AddEventListener(arguments);
    } else if (name == "removeEventListener") {
      globals->RemoveEventListener(arguments);
    } else if (name == "preventDefault") {
      if (object && object->IsObject())
        SetProperty(object, "defaultPrevented", CefV8Value::CreateBool(true));
    } else if (name == "unhandledrejection") {
      globals->ReportUnhandledRejection(arguments);
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
    if (name == "href")
      retval = CefV8Value::CreateString(globals->url());
    else if (name == "hash")
      retval = CefV8Value::CreateString(FragmentOf(globals->url().ToString()));
    else
      retval = CefV8Value::CreateString(globals->title());
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
    else if (name == "hash")
      globals->NavigateToFragment(value);
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
  binding_ = binding;
  CefRefPtr<CefV8Value> global = context_->GetGlobal();
  CefRefPtr<CefV8Value> console = CefV8Value::CreateObject(nullptr, nullptr);
  // Chrome reports every level to the same place; so does this.
  for (const char* level : {"log", "info", "warn", "error", "debug"})
    console->SetValue(level, CefV8Value::CreateFunction(level, binding),
                      V8_PROPERTY_ATTRIBUTE_NONE);
  global->SetValue("console", console, V8_PROPERTY_ATTRIBUTE_NONE);
  for (const char* name : {"setTimeout", "clearTimeout", "close",
                           "addEventListener", "removeEventListener"})
    global->SetValue(name, CefV8Value::CreateFunction(name, binding),
                     V8_PROPERTY_ATTRIBUTE_NONE);
  CefRefPtr<CefV8Value> performance = CefV8Value::CreateObject(nullptr, nullptr);
  performance->SetValue("now", CefV8Value::CreateFunction("now", binding),
                        V8_PROPERTY_ATTRIBUTE_NONE);
  performance->SetValue("timeOrigin", CefV8Value::CreateDouble(origin_epoch_ms_),
                        kFixed);
  global->SetValue("performance", performance, kFixed);
  global->SetValue("location", AccessorObject(binding, {"href", "hash"}),
                   kFixed);
  global->SetValue("document", AccessorObject(binding, {"title"}), kFixed);
  global->SetValue("window", global, kFixed);
  JSContextRef ctx = context_->js();
  JSValueRef on_rejection = CefV8ValueImpl::ToJs(
      ctx, CefV8Value::CreateFunction("unhandledrejection", binding));
  JSGlobalContextSetUnhandledRejectionCallback(
      context_->js(), JSValueToObject(ctx, on_rejection, nullptr), nullptr);
  context_->Exit();
}

void PageGlobals::ReportUncaught(CefRefPtr<CefV8Exception> exception) {
  // Blink's ErrorEvent.error: the thrown value itself (null where unknown).
  auto* impl = dynamic_cast<CefV8ExceptionImpl*>(exception.get());
  CefRefPtr<CefV8Value> thrown = impl ? impl->thrown() : nullptr;
  bool prevented = DispatchEvent("error", [&](CefRefPtr<CefV8Value> event) {
    SetProperty(event, "error", thrown ? thrown : CefV8Value::CreateNull());
    SetProperty(event, "message",
                CefV8Value::CreateString(exception->GetMessage()));
    SetProperty(event, "filename",
                CefV8Value::CreateString(exception->GetScriptResourceName()));
    SetProperty(event, "lineno",
                CefV8Value::CreateInt(exception->GetLineNumber()));
    SetProperty(event, "colno",
                CefV8Value::CreateInt(exception->GetStartColumn() + 1));
  });
  if (!prevented)
    ReportToConsole(exception);
}

void PageGlobals::ReportUnhandledRejection(const CefV8ValueList& arguments) {
  if (arguments.size() < 2)
    return;
  bool prevented =
      DispatchEvent("unhandledrejection", [&](CefRefPtr<CefV8Value> event) {
        SetProperty(event, "promise", arguments[0]);
        SetProperty(event, "reason", arguments[1]);
      });
  if (prevented)
    return;
  JSContextRef ctx = context_->js();
  CefRefPtr<CefV8Exception> reason = new CefV8ExceptionImpl(
      ctx, CefV8ValueImpl::ToJs(ctx, arguments[1]), nullptr);
  // V8's "Uncaught X" becomes Chrome's "Uncaught (in promise) X".
  std::u16string message = cefsim::ToU16String(reason->GetMessage());
  message.insert(message.find(u' ') + 1, u"(in promise) ");
  host_->AddConsoleMessage(cefsim::FromU16String(message),
                           reason->GetScriptResourceName(),
                           reason->GetLineNumber());
}

void PageGlobals::AddEventListener(const CefV8ValueList& arguments) {
  if (arguments.size() < 2 || !arguments[1]->IsFunction())
    return;
  std::vector<CefRefPtr<CefV8Value>>& listeners =
      listeners_[ToDisplayString(arguments[0]).ToString()];
  // The same listener twice is one listener, as in the DOM.
  for (const auto& listener : listeners) {
    if (listener->IsSame(arguments[1]))
      return;
  }
  listeners.push_back(arguments[1]);
}

void PageGlobals::RemoveEventListener(const CefV8ValueList& arguments) {
  if (arguments.size() < 2)
    return;
  auto found = listeners_.find(ToDisplayString(arguments[0]).ToString());
  if (found == listeners_.end())
    return;
  std::vector<CefRefPtr<CefV8Value>>& listeners = found->second;
  for (auto it = listeners.begin(); it != listeners.end(); ++it) {
    if ((*it)->IsSame(arguments[1])) {
      listeners.erase(it);
      return;
    }
  }
}

bool PageGlobals::DispatchEvent(
    const std::string& type,
    const std::function<void(CefRefPtr<CefV8Value>)>& fill) {
  auto found = listeners_.find(type);
  if (found == listeners_.end() || found->second.empty() || !context_->Enter())
    return false;
  CefRefPtr<CefV8Value> event = CefV8Value::CreateObject(nullptr, nullptr);
  SetProperty(event, "type", CefV8Value::CreateString(type));
  SetProperty(event, "defaultPrevented", CefV8Value::CreateBool(false));
  SetProperty(event, "preventDefault",
              CefV8Value::CreateFunction("preventDefault", binding_));
  fill(event);
  // A listener may add or remove listeners; those called are the ones
  // registered when the event fired.
  const std::vector<CefRefPtr<CefV8Value>> listeners = found->second;
  CefRefPtr<CefV8Value> window = context_->GetGlobal();
  for (const auto& listener : listeners) {
    listener->ExecuteFunctionWithContext(context_, window, {event});
    if (listener->HasException()) {
      ReportToConsole(listener->GetException());
      listener->ClearException();
    }
  }
  CefRefPtr<CefV8Value> prevented = event->GetValue("defaultPrevented");
  bool result = prevented && prevented->IsBool() && prevented->GetBoolValue();
  context_->Exit();
  return result;
}

void PageGlobals::ReportToConsole(CefRefPtr<CefV8Exception> exception) {
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

void PageGlobals::NavigateToFragment(CefRefPtr<CefV8Value> fragment) {
  host_->Navigate(
      WithFragment(url().ToString(), ToDisplayString(fragment).ToString()));
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
