// Whether a page's number is a 32-bit signed integer.
#ifndef ZUBRIX_RENDERER_V8_INT32_H_
#define ZUBRIX_RENDERER_V8_INT32_H_

#include "include/cef_v8.h"

namespace zubrix {

// CEF's IsInt also holds for a uint32 past INT32_MAX, whose GetIntValue is
// the same 32 bits read as a negative number: 3000000000 would arrive as
// -1294967296. Only a number whose integer value is its value is one.
inline bool IsInt32(CefRefPtr<CefV8Value> value) {
  return value->IsInt() &&
         value->GetDoubleValue() == static_cast<double>(value->GetIntValue());
}

}  // namespace zubrix

#endif  // ZUBRIX_RENDERER_V8_INT32_H_
