#include "renderer/v8_array_to_list.h"

#include "renderer/v8_int32.h"

namespace zubrix {
namespace {

// Elements one call converts at most, nested ones included: an array that
// holds itself twice would otherwise take 2^64 steps before the depth bound
// ends it. Elements past the budget are left out like values that do not
// travel; real calls stay far below it.
const int kMaxConvertedElements = 1 << 20;

void ConvertArray(CefRefPtr<CefV8Value> source, CefRefPtr<CefListValue> target,
                  int depth, int* budget) {
  // The length is read again for each element: a getter may change it.
  for (int i = 0; i < source->GetArrayLength() && *budget > 0; ++i, --*budget) {
    CefRefPtr<CefV8Value> element = source->GetValue(i);
    if (!element)
      continue;
    size_t index = static_cast<size_t>(i);
    if (element->IsString()) {
      target->SetString(index, element->GetStringValue());
    } else if (IsInt32(element)) {
      target->SetInt(index, element->GetIntValue());
    } else if (element->IsBool()) {
      target->SetBool(index, element->GetBoolValue());
    } else if (element->IsArray() && depth < kMaxArrayDepth) {
      CefRefPtr<CefListValue> nested = CefListValue::Create();
      ConvertArray(element, nested, depth + 1, budget);
      target->SetList(index, nested);
    }
  }
}

}  // namespace

void V8ArrayToList(CefRefPtr<CefV8Value> source,
                   CefRefPtr<CefListValue> target) {
  int budget = kMaxConvertedElements;
  ConvertArray(source, target, 1, &budget);
}

}  // namespace zubrix
