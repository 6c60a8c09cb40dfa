// A JavaScript value. Primitives are kept as plain data, as V8's handles to
// them are, so they need no context; objects (and the engine's other values)
// are held in the context they were read from or made in.
#ifndef CEFSIM_SRC_V8_V8_VALUE_IMPL_H_
#define CEFSIM_SRC_V8_V8_VALUE_IMPL_H_

#include <JavaScriptCore/JavaScript.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "include/cef_v8.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {

class CefV8ValueImpl : public CefV8Value {
 public:
  // Numbers keep the type CEF gives them: an int32, a uint32 that is no
  // int32, or any other double, as v8_impl.cc's TYPE_INT, TYPE_UINT and
  // TYPE_DOUBLE.
  enum class Kind {
    kUndefined,
    kNull,
    kBool,
    kInt,
    kUInt,
    kDouble,
    kString,
    kHeld
  };

  static CefRefPtr<CefV8ValueImpl> MakePrimitive(Kind kind);
  // |kind| is one of the number kinds.
  static CefRefPtr<CefV8ValueImpl> MakeNumber(Kind kind, double value);
  // |value| as |context|'s scripts handed it over.
  static CefRefPtr<CefV8Value> FromJs(CefRefPtr<CefV8ContextImpl> context,
                                      JSValueRef value);
  // |value| as a callback's caller handed it over (an argument, the
  // receiver): the caller keeps it alive until the callback returns, so it is
  // protected from collection only once KeepBeyondCall says a client holds
  // it for longer.
  static CefRefPtr<CefV8ValueImpl> FromCallerJs(
      CefRefPtr<CefV8ContextImpl> context, JSValueRef value);
  // |value| for use in |ctx|: undefined for a null value, or one that is
  // not valid here.
  static JSValueRef ToJs(JSContextRef ctx, CefRefPtr<CefV8Value> value);

  ~CefV8ValueImpl() override;

  // Protects a held value from collection for as long as this object lives.
  void KeepBeyondCall();

  bool IsValid() override;
  bool IsUndefined() override;
  bool IsNull() override;
  bool IsBool() override;
  bool IsInt() override;
  bool IsUInt() override;
  bool IsDouble() override;
  bool IsDate() override;
  bool IsString() override;
  bool IsObject() override;
  bool IsArray() override;
  bool IsFunction() override;
  bool IsSame(CefRefPtr<CefV8Value> that) override;
  bool GetBoolValue() override;
  int32 GetIntValue() override;
  uint32 GetUIntValue() override;
  double GetDoubleValue() override;
  CefTime GetDateValue() override;
  CefString GetStringValue() override;

  bool IsUserCreated() override;
  bool HasException() override;
  CefRefPtr<CefV8Exception> GetException() override;
  bool ClearException() override;
  bool WillRethrowExceptions() override;
  bool SetRethrowExceptions(bool rethrow) override;
  bool HasValue(const CefString& key) override;
  bool HasValue(int index) override;
  bool DeleteValue(const CefString& key) override;
  bool DeleteValue(int index) override;
  CefRefPtr<CefV8Value> GetValue(const CefString& key) override;
  CefRefPtr<CefV8Value> GetValue(int index) override;
  bool SetValue(const CefString& key,
                CefRefPtr<CefV8Value> value,
                PropertyAttribute attribute) override;
  bool SetValue(int index, CefRefPtr<CefV8Value> value) override;
  bool SetValue(const CefString& key,
                AccessControl settings,
                PropertyAttribute attribute) override;
  bool GetKeys(std::vector<CefString>& keys) override;
  bool SetUserData(CefRefPtr<CefBaseRefCounted> user_data) override;
  CefRefPtr<CefBaseRefCounted> GetUserData() override;
  int GetExternallyAllocatedMemory() override;
  int AdjustExternallyAllocatedMemory(int change_in_bytes) override;
  int GetArrayLength() override;
  CefString GetFunctionName() override;
  CefRefPtr<CefV8Handler> GetFunctionHandler() override;
  CefRefPtr<CefV8Value> ExecuteFunction(
      CefRefPtr<CefV8Value> object,
      const CefV8ValueList& arguments) override;
  CefRefPtr<CefV8Value> ExecuteFunctionWithContext(
      CefRefPtr<CefV8Context> context,
      CefRefPtr<CefV8Value> object,
      const CefV8ValueList& arguments) override;

 private:
  friend class CefV8Value;

  explicit CefV8ValueImpl(Kind kind);
  // |is_object| as the engine typed |value|: the caller has asked already.
  CefV8ValueImpl(CefRefPtr<CefV8ContextImpl> context, JSValueRef value,
                 bool is_object, bool rooted_by_caller);
  static CefRefPtr<CefV8ValueImpl> Wrap(CefRefPtr<CefV8ContextImpl> context,
                                        JSValueRef value,
                                        bool rooted_by_caller);

  // Valid and an object: the object methods' precondition.
  bool IsUsableObject();
  JSContextRef ctx() const { return context_->js(); }
  JSObjectRef js_object() const;
  // Notes the outcome of a call that may throw; false when it threw.
  bool Check(JSValueRef thrown);

  const Kind kind_;
  const std::thread::id thread_;
  bool bool_ = false;
  // The number's value for every number kind; exact for kInt and kUInt.
  double number_ = 0;
  CefString string_;

  // kHeld only: the value, protected from collection while held.
  CefRefPtr<CefV8ContextImpl> context_;
  JSValueRef held_ = nullptr;
  bool protected_ = false;
  bool is_object_ = false;

  // For objects, asked of the engine when a client first asks: -1 until
  // then; else 0 or 1.
  int8_t is_array_ = 0;
  int8_t is_function_ = 0;
  int8_t is_date_ = 0;

  CefRefPtr<CefV8Exception> last_exception_;
  bool rethrow_ = false;
  int external_memory_ = 0;

  IMPLEMENT_REFCOUNTING(CefV8ValueImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_V8_VALUE_IMPL_H_
