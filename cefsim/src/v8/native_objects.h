// JavaScript objects backed by client objects: functions that call a
// CefV8Handler, and objects whose properties a CefV8Accessor or
// CefV8Interceptor serves. Both are "user created" and can carry user data.
#ifndef CEFSIM_SRC_V8_NATIVE_OBJECTS_H_
#define CEFSIM_SRC_V8_NATIVE_OBJECTS_H_

#include <JavaScriptCore/JavaScript.h>

#include <map>
#include <string>

#include "include/cef_v8.h"

namespace cefsim {

// What the engine keeps beside each such object; freed with the object.
struct NativeObjectData {
  CefString function_name;
  CefRefPtr<CefV8Handler> handler;
  CefRefPtr<CefV8Accessor> accessor;
  CefRefPtr<CefV8Interceptor> interceptor;
  // Names forwarded to |accessor|, with their attributes.
  std::map<std::u16string, cef_v8_propertyattribute_t> accessor_names;
  CefRefPtr<CefBaseRefCounted> user_data;
};

// A function named |name|; calling it calls |handler| (when not null).
JSObjectRef MakeHandlerFunction(JSContextRef ctx, const CefString& name,
                                CefRefPtr<CefV8Handler> handler);
JSObjectRef MakeUserObject(JSContextRef ctx,
                           CefRefPtr<CefV8Accessor> accessor,
                           CefRefPtr<CefV8Interceptor> interceptor);
// The data of |value| when it is one of these objects, else null.
NativeObjectData* NativeDataOf(JSContextRef ctx, JSValueRef value);

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_NATIVE_OBJECTS_H_
