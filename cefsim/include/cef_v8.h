// JavaScript values, contexts and handlers of the render process.
#ifndef CEF_INCLUDE_CEF_V8_H_
#define CEF_INCLUDE_CEF_V8_H_

#include "include/cef_base.h"

class CefV8Context : public virtual CefBaseRefCounted {};
class CefV8Exception : public virtual CefBaseRefCounted {};
class CefV8StackTrace : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_V8_H_
