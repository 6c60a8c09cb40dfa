#include "cefsim/src/v8/native_objects.h"

#include <vector>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/engine.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/v8_context_impl.h"
#include "cefsim/src/v8/v8_exception_impl.h"
#include "cefsim/src/v8/v8_value_impl.h"

namespace cefsim {
namespace {

NativeObjectData* DataOf(JSObjectRef object) {
  return static_cast<NativeObjectData*>(JSObjectGetPrivate(object));
}

void Finalize(JSObjectRef object) { delete DataOf(object); }

// Runs a client callback as V8 runs one: with the calling context current.
// Afterwards, what the client asked for goes back to the script: an
// exception that a value asked to rethrow, else the client's exception
// string, else its return value (null: none).
// The values handed to the client are rooted by the script's own call until
// the callback returns; those the client still holds then are protected.
// Declare the ClientCall before the values it wraps, so that theirs are the
// only references left when it ends.
class ClientCall {
 public:
  // |values| is how many values the call will wrap.
  ClientCall(CefRefPtr<CefV8ContextImpl> context, size_t values)
      : context_(context), scope_(context, Engine::EntryKind::kCallback) {
    wrapped_.reserve(values);
  }

  ~ClientCall() {
    for (const CefRefPtr<CefV8ValueImpl>& value : wrapped_) {
      if (!value->HasOneRef())
        value->KeepBeyondCall();
    }
  }

  CefRefPtr<CefV8Value> Wrap(JSValueRef value) {
    CefRefPtr<CefV8ValueImpl> wrapped =
        CefV8ValueImpl::FromCallerJs(context_, value);
    wrapped_.push_back(wrapped);
    return wrapped.get();
  }

  JSValueRef Finish(bool handled, CefRefPtr<CefV8Value> retval,
                    const CefString& error, JSValueRef* exception) {
    JSContextRef ctx = context_->js();
    if (JSValueRef rethrow = scope_.TakeRethrow()) {
      *exception = rethrow;
      return nullptr;
    }
    if (!handled)
      return nullptr;
    if (!error.empty()) {
      *exception = MakeJsError(ctx, error);
      return nullptr;
    }
    return retval ? CefV8ValueImpl::ToJs(ctx, retval) : nullptr;
  }

 private:
  CefRefPtr<CefV8ContextImpl> context_;
  ContextScope scope_;
  std::vector<CefRefPtr<CefV8ValueImpl>> wrapped_;
};

JSValueRef OrUndefined(JSContextRef ctx, JSValueRef value) {
  return value ? value : JSValueMakeUndefined(ctx);
}

JSValueRef CallHandler(JSContextRef ctx, JSObjectRef function,
                       JSObjectRef self, size_t argc, const JSValueRef argv[],
                       JSValueRef* exception) {
  NativeObjectData* data = DataOf(function);
  CefRefPtr<CefV8ContextImpl> context = CefV8ContextImpl::FromJs(ctx);
  if (!data || !data->handler || !context)
    return JSValueMakeUndefined(ctx);
  CefRefPtr<CefV8Handler> handler = data->handler;
  ClientCall call(context, argc + 1);
  CefV8ValueList arguments;
  arguments.reserve(argc);
  for (size_t i = 0; i < argc; ++i)
    arguments.push_back(call.Wrap(argv[i]));
  CefRefPtr<CefV8Value> object =
      call.Wrap(self ? self : JSValueMakeUndefined(ctx));
  CefRefPtr<CefV8Value> retval;
  CefString error;
  bool handled =
      handler->Execute(data->function_name, object, arguments, retval, error);
  return OrUndefined(ctx, call.Finish(handled, retval, error, exception));
}

// A property name that is an array index, as interceptors take it by int.
bool AsIndex(const CefString& name, int* index) {
  const std::u16string text = cefsim::ToU16String(name);
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == u'0'))
    return false;
  long long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9')
      return false;
    value = value * 10 + (c - u'0');
  }
  if (value > 0x7fffffff)
    return false;
  *index = static_cast<int>(value);
  return true;
}

bool IsAccessorName(NativeObjectData* data, JSStringRef name) {
  return data && data->accessor &&
         data->accessor_names.count(cefsim::ToU16String(ToCefString(name))) > 0;
}

bool HasProperty(JSContextRef, JSObjectRef object, JSStringRef name) {
  return IsAccessorName(DataOf(object), name);
}

// Null lets the engine look the property up as on any object.
JSValueRef GetProperty(JSContextRef ctx, JSObjectRef object, JSStringRef name,
                       JSValueRef* exception) {
  NativeObjectData* data = DataOf(object);
  CefRefPtr<CefV8ContextImpl> context = CefV8ContextImpl::FromJs(ctx);
  if (!data || !context || (!data->interceptor && !IsAccessorName(data, name)))
    return nullptr;
  CefRefPtr<CefV8Interceptor> interceptor = data->interceptor;
  CefRefPtr<CefV8Accessor> accessor = data->accessor;
  const CefString key = ToCefString(name);
  ClientCall call(context, 1);
  CefRefPtr<CefV8Value> self = call.Wrap(object);
  if (interceptor) {
    CefRefPtr<CefV8Value> retval;
    CefString error;
    int index;
    bool handled = AsIndex(key, &index)
                       ? interceptor->Get(index, self, retval, error)
                       : interceptor->Get(key, self, retval, error);
    // Without a value or an exception the interceptor passes.
    if (handled && (retval || !error.empty()))
      return call.Finish(true, retval, error, exception);
  }
  if (!IsAccessorName(data, name))
    return nullptr;
  CefRefPtr<CefV8Value> retval;
  CefString error;
  bool handled = accessor->Get(key, self, retval, error);
  return OrUndefined(ctx, call.Finish(handled, retval, error, exception));
}

// False lets the engine store the property as on any object.
bool SetProperty(JSContextRef ctx, JSObjectRef object, JSStringRef name,
                 JSValueRef value, JSValueRef* exception) {
  NativeObjectData* data = DataOf(object);
  CefRefPtr<CefV8ContextImpl> context = CefV8ContextImpl::FromJs(ctx);
  if (!data || !context || (!data->interceptor && !IsAccessorName(data, name)))
    return false;
  CefRefPtr<CefV8Interceptor> interceptor = data->interceptor;
  CefRefPtr<CefV8Accessor> accessor = data->accessor;
  const CefString key = ToCefString(name);
  ClientCall call(context, 2);
  CefRefPtr<CefV8Value> self = call.Wrap(object);
  CefRefPtr<CefV8Value> new_value = call.Wrap(value);
  if (interceptor) {
    CefString error;
    int index;
    bool handled = AsIndex(key, &index)
                       ? interceptor->Set(index, self, new_value, error)
                       : interceptor->Set(key, self, new_value, error);
    if (handled) {
      call.Finish(true, nullptr, error, exception);
      return true;
    }
  }
  auto registered = data->accessor_names.find(cefsim::ToU16String(key));
  if (!accessor || registered == data->accessor_names.end())
    return false;
  if (!(registered->second & V8_PROPERTY_ATTRIBUTE_READONLY)) {
    CefString error;
    bool handled = accessor->Set(key, self, new_value, error);
    call.Finish(handled, nullptr, error, exception);
  }
  return true;
}

void GetPropertyNames(JSContextRef, JSObjectRef object,
                      JSPropertyNameAccumulatorRef names) {
  NativeObjectData* data = DataOf(object);
  if (!data)
    return;
  for (const auto& entry : data->accessor_names) {
    if (!(entry.second & V8_PROPERTY_ATTRIBUTE_DONTENUM))
      JSPropertyNameAccumulatorAddName(
          names, JsString(cefsim::FromU16String(entry.first)).get());
  }
}

JSClassRef FunctionClass() {
  static JSClassRef function_class = [] {
    JSClassDefinition definition = kJSClassDefinitionEmpty;
    definition.className = "Function";
    definition.attributes = kJSClassAttributeNoAutomaticPrototype;
    definition.callAsFunction = CallHandler;
    definition.finalize = Finalize;
    return JSClassCreate(&definition);
  }();
  return function_class;
}

JSClassDefinition ObjectClassDefinition() {
  JSClassDefinition definition = kJSClassDefinitionEmpty;
  definition.className = "Object";
  definition.attributes = kJSClassAttributeNoAutomaticPrototype;
  definition.getProperty = GetProperty;
  definition.setProperty = SetProperty;
  definition.getPropertyNames = GetPropertyNames;
  definition.finalize = Finalize;
  return definition;
}

// The engine asks hasProperty before getProperty and skips the latter on
// false. Accessors answer it without running; an interceptor, which has no
// such question, is asked through getProperty, as V8 asks its getter.
JSClassRef ObjectClass(bool intercepted) {
  static JSClassRef accessed_class = [] {
    JSClassDefinition definition = ObjectClassDefinition();
    definition.hasProperty = HasProperty;
    return JSClassCreate(&definition);
  }();
  static JSClassRef intercepted_class = [] {
    JSClassDefinition definition = ObjectClassDefinition();
    return JSClassCreate(&definition);
  }();
  return intercepted ? intercepted_class : accessed_class;
}

JSValueRef NoOp(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t,
                const JSValueRef[], JSValueRef*) {
  return JSValueMakeUndefined(ctx);
}

// The context's own Function.prototype, whatever the page did to the
// global "Function".
JSValueRef FunctionPrototype(JSContextRef ctx) {
  return JSObjectGetPrototype(ctx,
                              JSObjectMakeFunctionWithCallback(ctx, nullptr, NoOp));
}

}  // namespace

JSObjectRef MakeHandlerFunction(JSContextRef ctx, const CefString& name,
                                CefRefPtr<CefV8Handler> handler) {
  auto* data = new NativeObjectData;
  data->function_name = name;
  data->handler = handler;
  JSObjectRef function = JSObjectMake(ctx, FunctionClass(), data);
  // Named first: once Function.prototype's read-only "name" is inherited,
  // the engine no longer lets an own one be added this way.
  JSObjectSetProperty(ctx, function, JsString("name").get(),
                      JSValueMakeString(ctx, JsString(name).get()),
                      kJSPropertyAttributeReadOnly |
                          kJSPropertyAttributeDontEnum,
                      nullptr);
  JSObjectSetPrototype(ctx, function, FunctionPrototype(ctx));
  return function;
}

JSObjectRef MakeUserObject(JSContextRef ctx,
                           CefRefPtr<CefV8Accessor> accessor,
                           CefRefPtr<CefV8Interceptor> interceptor) {
  auto* data = new NativeObjectData;
  data->accessor = accessor;
  data->interceptor = interceptor;
  return JSObjectMake(ctx, ObjectClass(interceptor != nullptr), data);
}

NativeObjectData* NativeDataOf(JSContextRef ctx, JSValueRef value) {
  if (!JSValueIsObjectOfClass(ctx, value, FunctionClass()) &&
      !JSValueIsObjectOfClass(ctx, value, ObjectClass(false)) &&
      !JSValueIsObjectOfClass(ctx, value, ObjectClass(true)))
    return nullptr;
  return DataOf(JSValueToObject(ctx, value, nullptr));
}

}  // namespace cefsim
