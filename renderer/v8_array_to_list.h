// A page's call arguments, from a JavaScript array into a CEF value list.
#ifndef ZUBRIX_RENDERER_V8_ARRAY_TO_LIST_H_
#define ZUBRIX_RENDERER_V8_ARRAY_TO_LIST_H_

#include "include/cef_v8.h"
#include "include/cef_values.h"

namespace zubrix {

// How deep arrays nest before the deeper ones are dropped like any value that
// does not travel: far beyond what pages pass, and it stops an array that
// contains itself from recursing without end. The outermost array is level 1.
constexpr int kMaxArrayDepth = 64;

// Strings, 32-bit integers, booleans and arrays travel, each at its own
// index; anything else leaves its index unwritten. Runs on the render thread
// inside the call's context.
void V8ArrayToList(CefRefPtr<CefV8Value> source, CefRefPtr<CefListValue> target);

}  // namespace zubrix

#endif  // ZUBRIX_RENDERER_V8_ARRAY_TO_LIST_H_
