#include "cefsim/src/v8/v8_value_impl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/native_objects.h"
#include "cefsim/src/v8/v8_exception_impl.h"

namespace cefsim {
namespace {

constexpr double kTwoTo32 = 4294967296.0;

// JavaScript's ToUint32: the integer part, modulo 2^32.
uint32_t ToUint32(double value) {
  if (!std::isfinite(value))
    return 0;
  double wrapped = std::fmod(std::trunc(value), kTwoTo32);
  if (wrapped < 0)
    wrapped += kTwoTo32;
  return static_cast<uint32_t>(wrapped);
}

bool IsNegativeZero(double value) {
  return value == 0 && std::signbit(value);
}

// The kind V8 gives a number read from a script, as CefV8ValueImpl's
// InitFromV8Value tests IsInt32, then IsUint32: -0 is neither.
CefV8ValueImpl::Kind NumberKind(double value) {
  if (std::trunc(value) != value || IsNegativeZero(value))
    return CefV8ValueImpl::Kind::kDouble;
  if (value >= INT32_MIN && value <= INT32_MAX)
    return CefV8ValueImpl::Kind::kInt;
  if (value >= 0 && value <= UINT32_MAX)
    return CefV8ValueImpl::Kind::kUInt;
  return CefV8ValueImpl::Kind::kDouble;
}

JSPropertyAttributes ToJsAttributes(cef_v8_propertyattribute_t attribute) {
  JSPropertyAttributes attributes = kJSPropertyAttributeNone;
  if (attribute & V8_PROPERTY_ATTRIBUTE_READONLY)
    attributes |= kJSPropertyAttributeReadOnly;
  if (attribute & V8_PROPERTY_ATTRIBUTE_DONTENUM)
    attributes |= kJSPropertyAttributeDontEnum;
  if (attribute & V8_PROPERTY_ATTRIBUTE_DONTDELETE)
    attributes |= kJSPropertyAttributeDontDelete;
  return attributes;
}

// Call arguments live in a vector, where the collector does not look for
// them; each stays protected until the call is over.
class ProtectedArguments {
 public:
  explicit ProtectedArguments(JSContextRef ctx) : ctx_(ctx) {}
  ~ProtectedArguments() {
    for (JSValueRef value : values_)
      JSValueUnprotect(ctx_, value);
  }
  void Add(JSValueRef value) {
    JSValueProtect(ctx_, value);
    values_.push_back(value);
  }
  size_t size() const { return values_.size(); }
  const JSValueRef* data() const { return values_.data(); }

 private:
  JSContextRef ctx_;
  std::vector<JSValueRef> values_;
};

// "length", made once: arrays are asked for it once per element converted.
// The engine's strings are immutable and may be shared between threads.
JSStringRef LengthName() {
  static const JSStringRef name = JSStringCreateWithUTF8CString("length");
  return name;
}

CefRefPtr<CefV8ContextImpl> CurrentValidContext() {
  CefRefPtr<CefV8ContextImpl> context = CefV8ContextImpl::Current();
  return context && context->IsValid() ? context : nullptr;
}

}  // namespace

CefV8ValueImpl::CefV8ValueImpl(Kind kind)
    : kind_(kind), thread_(std::this_thread::get_id()) {}

CefV8ValueImpl::CefV8ValueImpl(CefRefPtr<CefV8ContextImpl> context,
                               JSValueRef value,
                               bool is_object,
                               bool rooted_by_caller)
    : kind_(Kind::kHeld),
      thread_(std::this_thread::get_id()),
      context_(context),
      held_(value),
      is_object_(is_object) {
  if (!rooted_by_caller)
    KeepBeyondCall();
  // Each type test of an object calls into the engine, under its lock, so
  // it is asked only when a client asks.
  if (is_object_)
    is_array_ = is_date_ = is_function_ = -1;
}

CefV8ValueImpl::~CefV8ValueImpl() {
  if (protected_)
    JSValueUnprotect(context_->engine()->utility(), held_);
}

void CefV8ValueImpl::KeepBeyondCall() {
  if (held_ && !protected_) {
    JSValueProtect(context_->engine()->utility(), held_);
    protected_ = true;
  }
}

CefRefPtr<CefV8ValueImpl> CefV8ValueImpl::MakePrimitive(Kind kind) {
  return new CefV8ValueImpl(kind);
}

CefRefPtr<CefV8ValueImpl> CefV8ValueImpl::MakeNumber(Kind kind, double value) {
  CefRefPtr<CefV8ValueImpl> result = MakePrimitive(kind);
  result->number_ = value;
  return result;
}

CefRefPtr<CefV8Value> CefV8ValueImpl::FromJs(
    CefRefPtr<CefV8ContextImpl> context, JSValueRef value) {
  return Wrap(context, value, false).get();
}

CefRefPtr<CefV8ValueImpl> CefV8ValueImpl::FromCallerJs(
    CefRefPtr<CefV8ContextImpl> context, JSValueRef value) {
  return Wrap(context, value, true);
}

CefRefPtr<CefV8ValueImpl> CefV8ValueImpl::Wrap(
    CefRefPtr<CefV8ContextImpl> context, JSValueRef value,
    bool rooted_by_caller) {
  JSContextRef ctx = context->js();
  CefRefPtr<CefV8ValueImpl> result;
  const JSType type = JSValueGetType(ctx, value);
  switch (type) {
    case kJSTypeUndefined:
      return MakePrimitive(Kind::kUndefined);
    case kJSTypeNull:
      return MakePrimitive(Kind::kNull);
    case kJSTypeBoolean:
      result = MakePrimitive(Kind::kBool);
      result->bool_ = JSValueToBoolean(ctx, value);
      return result;
    case kJSTypeNumber: {
      const double number = JSValueToNumber(ctx, value, nullptr);
      return MakeNumber(NumberKind(number), number);
    }
    case kJSTypeString:
      result = MakePrimitive(Kind::kString);
      ValueToCefString(ctx, value, &result->string_);
      return result;
    default:
      return new CefV8ValueImpl(context, value, type == kJSTypeObject,
                                rooted_by_caller);
  }
}

JSValueRef CefV8ValueImpl::ToJs(JSContextRef ctx,
                                CefRefPtr<CefV8Value> value) {
  auto* impl = dynamic_cast<CefV8ValueImpl*>(value.get());
  if (!impl || !impl->IsValid())
    return JSValueMakeUndefined(ctx);
  switch (impl->kind_) {
    case Kind::kUndefined:
      return JSValueMakeUndefined(ctx);
    case Kind::kNull:
      return JSValueMakeNull(ctx);
    case Kind::kBool:
      return JSValueMakeBoolean(ctx, impl->bool_);
    case Kind::kInt:
    case Kind::kUInt:
    case Kind::kDouble:
      return JSValueMakeNumber(ctx, impl->number_);
    case Kind::kString:
      return JSValueMakeString(ctx, JsString(impl->string_).get());
    case Kind::kHeld:
      break;
  }
  // Values pass only between contexts of one engine.
  if (JSContextGetGroup(ctx) != impl->context_->engine()->group())
    return JSValueMakeUndefined(ctx);
  return impl->held_;
}

bool CefV8ValueImpl::IsValid() {
  if (thread_ != std::this_thread::get_id())
    return false;
  return kind_ != Kind::kHeld || context_->IsValid();
}

bool CefV8ValueImpl::IsUndefined() {
  return IsValid() && kind_ == Kind::kUndefined;
}

bool CefV8ValueImpl::IsNull() { return IsValid() && kind_ == Kind::kNull; }

bool CefV8ValueImpl::IsBool() { return IsValid() && kind_ == Kind::kBool; }

// As CefV8ValueImpl::IsInt and IsUInt: both hold for either integer type,
// so a uint32 past INT32_MAX passes IsInt and a negative int32 IsUInt.
bool CefV8ValueImpl::IsInt() {
  return IsValid() && (kind_ == Kind::kInt || kind_ == Kind::kUInt);
}

bool CefV8ValueImpl::IsUInt() { return IsInt(); }

bool CefV8ValueImpl::IsDouble() {
  return IsInt() || (IsValid() && kind_ == Kind::kDouble);
}

bool CefV8ValueImpl::IsDate() {
  if (!IsValid())
    return false;
  if (is_date_ < 0)
    is_date_ = JSValueIsDate(ctx(), held_) ? 1 : 0;
  return is_date_ == 1;
}

bool CefV8ValueImpl::IsString() {
  return IsValid() && kind_ == Kind::kString;
}

bool CefV8ValueImpl::IsObject() { return IsValid() && is_object_; }

bool CefV8ValueImpl::IsArray() {
  if (!IsValid())
    return false;
  if (is_array_ < 0) {
    is_array_ = JSValueIsArray(ctx(), held_) ? 1 : 0;
    // An array is neither a date nor callable.
    if (is_array_)
      is_date_ = is_function_ = 0;
  }
  return is_array_ == 1;
}

bool CefV8ValueImpl::IsFunction() {
  if (!IsValid())
    return false;
  if (is_function_ < 0)
    is_function_ = JSObjectIsFunction(ctx(), js_object()) ? 1 : 0;
  return is_function_ == 1;
}

bool CefV8ValueImpl::IsSame(CefRefPtr<CefV8Value> that) {
  auto* other = dynamic_cast<CefV8ValueImpl*>(that.get());
  if (!other || !IsValid() || !other->IsValid() || other->kind_ != kind_)
    return false;
  switch (kind_) {
    case Kind::kUndefined:
    case Kind::kNull:
      return true;
    case Kind::kBool:
      return bool_ == other->bool_;
    case Kind::kInt:
    case Kind::kUInt:
    case Kind::kDouble:
      return number_ == other->number_;
    case Kind::kString:
      return string_ == other->string_;
    case Kind::kHeld:
      break;
  }
  return JSValueIsStrictEqual(ctx(), held_, other->held_);
}

bool CefV8ValueImpl::GetBoolValue() { return IsBool() && bool_; }

// As CefV8ValueImpl::GetIntValue and GetUIntValue: CEF keeps the two in
// one union, so each reads the other's 32 bits; a double gives 0.
int32 CefV8ValueImpl::GetIntValue() {
  return static_cast<int32>(GetUIntValue());
}

uint32 CefV8ValueImpl::GetUIntValue() {
  if (!IsInt())
    return 0;
  return static_cast<uint32>(static_cast<int64_t>(number_));
}

double CefV8ValueImpl::GetDoubleValue() { return IsDouble() ? number_ : 0; }

CefTime CefV8ValueImpl::GetDateValue() {
  CefTime date;
  if (!IsDate())
    return date;
  double milliseconds = JSValueToNumber(ctx(), held_, nullptr);
  if (std::isfinite(milliseconds))
    date.SetDoubleT(milliseconds / 1000.0);
  return date;
}

CefString CefV8ValueImpl::GetStringValue() {
  return IsString() ? string_ : CefString();
}

bool CefV8ValueImpl::IsUserCreated() {
  return IsUsableObject() && NativeDataOf(ctx(), held_) != nullptr;
}

bool CefV8ValueImpl::HasException() {
  return IsUsableObject() && last_exception_ != nullptr;
}

CefRefPtr<CefV8Exception> CefV8ValueImpl::GetException() {
  return IsUsableObject() ? last_exception_ : nullptr;
}

bool CefV8ValueImpl::ClearException() {
  if (!IsUsableObject())
    return false;
  last_exception_ = nullptr;
  return true;
}

bool CefV8ValueImpl::WillRethrowExceptions() {
  return IsUsableObject() && rethrow_;
}

bool CefV8ValueImpl::SetRethrowExceptions(bool rethrow) {
  if (!IsUsableObject())
    return false;
  rethrow_ = rethrow;
  return true;
}

bool CefV8ValueImpl::HasValue(const CefString& key) {
  return IsUsableObject() &&
         JSObjectHasProperty(ctx(), js_object(), JsString(key).get());
}

bool CefV8ValueImpl::HasValue(int index) {
  return index >= 0 && HasValue(CefString(std::to_string(index)));
}

bool CefV8ValueImpl::DeleteValue(const CefString& key) {
  if (!IsUsableObject())
    return false;
  JSValueRef thrown = nullptr;
  JSObjectDeleteProperty(ctx(), js_object(), JsString(key).get(), &thrown);
  // A property that cannot be deleted still counts as success, as in V8.
  return Check(thrown);
}

bool CefV8ValueImpl::DeleteValue(int index) {
  return index >= 0 && DeleteValue(CefString(std::to_string(index)));
}

CefRefPtr<CefV8Value> CefV8ValueImpl::GetValue(const CefString& key) {
  if (!IsUsableObject())
    return nullptr;
  JSValueRef thrown = nullptr;
  JSValueRef value =
      JSObjectGetProperty(ctx(), js_object(), JsString(key).get(), &thrown);
  return Check(thrown) ? FromJs(context_, value) : nullptr;
}

CefRefPtr<CefV8Value> CefV8ValueImpl::GetValue(int index) {
  if (index < 0 || !IsUsableObject())
    return nullptr;
  JSValueRef thrown = nullptr;
  JSValueRef value = JSObjectGetPropertyAtIndex(
      ctx(), js_object(), static_cast<unsigned>(index), &thrown);
  return Check(thrown) ? FromJs(context_, value) : nullptr;
}

bool CefV8ValueImpl::SetValue(const CefString& key,
                              CefRefPtr<CefV8Value> value,
                              PropertyAttribute attribute) {
  if (!IsUsableObject() || !value || !value->IsValid())
    return false;
  JSValueRef thrown = nullptr;
  JSObjectSetProperty(ctx(), js_object(), JsString(key).get(),
                      ToJs(ctx(), value), ToJsAttributes(attribute), &thrown);
  return Check(thrown);
}

bool CefV8ValueImpl::SetValue(int index, CefRefPtr<CefV8Value> value) {
  if (index < 0 || !IsUsableObject() || !value || !value->IsValid())
    return false;
  JSValueRef thrown = nullptr;
  JSObjectSetPropertyAtIndex(ctx(), js_object(), static_cast<unsigned>(index),
                             ToJs(ctx(), value), &thrown);
  return Check(thrown);
}

bool CefV8ValueImpl::SetValue(const CefString& key,
                              AccessControl settings,
                              PropertyAttribute attribute) {
  if (!IsUsableObject())
    return false;
  NativeObjectData* data = NativeDataOf(ctx(), held_);
  if (!data || !data->accessor)
    return false;
  data->accessor_names[cefsim::ToU16String(key)] = attribute;
  return true;
}

bool CefV8ValueImpl::GetKeys(std::vector<CefString>& keys) {
  if (!IsUsableObject())
    return false;
  JSPropertyNameArrayRef names = JSObjectCopyPropertyNames(ctx(), js_object());
  size_t count = JSPropertyNameArrayGetCount(names);
  for (size_t i = 0; i < count; ++i)
    keys.push_back(ToCefString(JSPropertyNameArrayGetNameAtIndex(names, i)));
  JSPropertyNameArrayRelease(names);
  return true;
}

bool CefV8ValueImpl::SetUserData(CefRefPtr<CefBaseRefCounted> user_data) {
  NativeObjectData* data =
      IsUsableObject() ? NativeDataOf(ctx(), held_) : nullptr;
  if (!data)
    return false;
  data->user_data = user_data;
  return true;
}

CefRefPtr<CefBaseRefCounted> CefV8ValueImpl::GetUserData() {
  NativeObjectData* data =
      IsUsableObject() ? NativeDataOf(ctx(), held_) : nullptr;
  return data ? data->user_data : nullptr;
}

int CefV8ValueImpl::GetExternallyAllocatedMemory() {
  return IsUserCreated() ? external_memory_ : 0;
}

int CefV8ValueImpl::AdjustExternallyAllocatedMemory(int change_in_bytes) {
  if (!IsUserCreated())
    return 0;
  // Saturate rather than overflow on a client's bad bookkeeping.
  long long adjusted = static_cast<long long>(external_memory_) +
                       change_in_bytes;
  external_memory_ = static_cast<int>(
      std::min<long long>(std::max<long long>(adjusted, 0), INT32_MAX));
  return external_memory_;
}

int CefV8ValueImpl::GetArrayLength() {
  if (!IsArray())
    return 0;
  JSValueRef length =
      JSObjectGetProperty(ctx(), js_object(), LengthName(), nullptr);
  return static_cast<int>(
      std::min<uint32_t>(ToUint32(JSValueToNumber(ctx(), length, nullptr)),
                         INT32_MAX));
}

CefString CefV8ValueImpl::GetFunctionName() {
  if (!IsFunction())
    return CefString();
  if (NativeObjectData* data = NativeDataOf(ctx(), held_))
    return data->function_name;
  JSValueRef name =
      JSObjectGetProperty(ctx(), js_object(), JsString("name").get(), nullptr);
  CefString result;
  if (JSValueIsString(ctx(), name))
    ValueToCefString(ctx(), name, &result);
  return result;
}

CefRefPtr<CefV8Handler> CefV8ValueImpl::GetFunctionHandler() {
  NativeObjectData* data = IsFunction() ? NativeDataOf(ctx(), held_) : nullptr;
  return data ? data->handler : nullptr;
}

CefRefPtr<CefV8Value> CefV8ValueImpl::ExecuteFunction(
    CefRefPtr<CefV8Value> object,
    const CefV8ValueList& arguments) {
  return ExecuteFunctionWithContext(CurrentValidContext().get(), object,
                                    arguments);
}

CefRefPtr<CefV8Value> CefV8ValueImpl::ExecuteFunctionWithContext(
    CefRefPtr<CefV8Context> context,
    CefRefPtr<CefV8Value> object,
    const CefV8ValueList& arguments) {
  auto* target = dynamic_cast<CefV8ContextImpl*>(context.get());
  if (!IsFunction() || !target || !target->IsValid() ||
      (object && !object->IsObject()))
    return nullptr;
  JSContextRef js = target->js();
  ProtectedArguments argv(js);
  for (const CefRefPtr<CefV8Value>& argument : arguments) {
    if (!argument || !argument->IsValid())
      return nullptr;
    argv.Add(ToJs(js, argument));
  }
  JSObjectRef receiver =
      object ? JSValueToObject(js, ToJs(js, object), nullptr) : nullptr;
  JSValueRef thrown = nullptr;
  JSValueRef result;
  {
    ContextScope scope(target, Engine::EntryKind::kScope);
    result = JSObjectCallAsFunction(js, js_object(), receiver, argv.size(),
                                    argv.data(), &thrown);
  }
  return Check(thrown) ? FromJs(target, result) : nullptr;
}

bool CefV8ValueImpl::IsUsableObject() { return IsValid() && is_object_; }

JSObjectRef CefV8ValueImpl::js_object() const {
  return const_cast<JSObjectRef>(held_);
}

bool CefV8ValueImpl::Check(JSValueRef thrown) {
  last_exception_ = nullptr;
  if (!thrown)
    return true;
  last_exception_ = new CefV8ExceptionImpl(ctx(), thrown, nullptr, context_);
  if (rethrow_)
    context_->engine()->SetRethrow(thrown);
  return false;
}

}  // namespace cefsim

using cefsim::CefV8ValueImpl;

CefRefPtr<CefV8Value> CefV8Value::CreateUndefined() {
  return CefV8ValueImpl::MakePrimitive(CefV8ValueImpl::Kind::kUndefined).get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateNull() {
  return CefV8ValueImpl::MakePrimitive(CefV8ValueImpl::Kind::kNull).get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateBool(bool value) {
  CefRefPtr<CefV8ValueImpl> result =
      CefV8ValueImpl::MakePrimitive(CefV8ValueImpl::Kind::kBool);
  result->bool_ = value;
  return result.get();
}

// A value made here keeps the type it was made with, as CEF's do: a double
// made from 5.0 is no int.
CefRefPtr<CefV8Value> CefV8Value::CreateInt(int32 value) {
  return CefV8ValueImpl::MakeNumber(CefV8ValueImpl::Kind::kInt, value).get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateUInt(uint32 value) {
  return CefV8ValueImpl::MakeNumber(CefV8ValueImpl::Kind::kUInt, value).get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateDouble(double value) {
  return CefV8ValueImpl::MakeNumber(CefV8ValueImpl::Kind::kDouble, value).get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateString(const CefString& value) {
  CefRefPtr<CefV8ValueImpl> result =
      CefV8ValueImpl::MakePrimitive(CefV8ValueImpl::Kind::kString);
  result->string_ = value;
  return result.get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateDate(const CefTime& date) {
  CefRefPtr<cefsim::CefV8ContextImpl> context = cefsim::CurrentValidContext();
  if (!context)
    return nullptr;
  JSContextRef ctx = context->js();
  JSValueRef milliseconds = JSValueMakeNumber(ctx, date.GetDoubleT() * 1000);
  return CefV8ValueImpl::FromJs(
      context, JSObjectMakeDate(ctx, 1, &milliseconds, nullptr));
}

CefRefPtr<CefV8Value> CefV8Value::CreateObject(
    CefRefPtr<CefV8Accessor> accessor,
    CefRefPtr<CefV8Interceptor> interceptor) {
  CefRefPtr<cefsim::CefV8ContextImpl> context = cefsim::CurrentValidContext();
  if (!context)
    return nullptr;
  return CefV8ValueImpl::FromJs(
      context, cefsim::MakeUserObject(context->js(), accessor, interceptor));
}

CefRefPtr<CefV8Value> CefV8Value::CreateArray(int length) {
  CefRefPtr<cefsim::CefV8ContextImpl> context = cefsim::CurrentValidContext();
  if (!context)
    return nullptr;
  JSContextRef ctx = context->js();
  JSObjectRef array = JSObjectMakeArray(ctx, 0, nullptr, nullptr);
  if (length > 0) {
    JSObjectSetProperty(ctx, array, cefsim::JsString("length").get(),
                        JSValueMakeNumber(ctx, length),
                        kJSPropertyAttributeNone, nullptr);
  }
  return CefV8ValueImpl::FromJs(context, array);
}

CefRefPtr<CefV8Value> CefV8Value::CreateFunction(
    const CefString& name,
    CefRefPtr<CefV8Handler> handler) {
  CefRefPtr<cefsim::CefV8ContextImpl> context = cefsim::CurrentValidContext();
  if (!context || !handler)
    return nullptr;
  return CefV8ValueImpl::FromJs(
      context, cefsim::MakeHandlerFunction(context->js(), name, handler));
}
