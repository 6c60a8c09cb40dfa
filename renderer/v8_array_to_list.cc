#include "renderer/v8_array_to_list.h"

namespace {

void ConvertArray(CefRefPtr<CefV8Value> source, CefRefPtr<CefListValue> target,
                  int depth) {
  // The length is read again for each element: a getter may change it.
  for (int i = 0; i < source->GetArrayLength(); ++i) {
    CefRefPtr<CefV8Value> element = source->GetValue(i);
    if (!element)
      continue;
    size_t index = static_cast<size_t>(i);
    if (element->IsString()) {
      target->SetString(index, element->GetStringValue());
    } else if (element->IsInt()) {
      target->SetInt(index, element->GetIntValue());
    } else if (element->IsBool()) {
      target->SetBool(index, element->GetBoolValue());
    } else if (element->IsArray() && depth < kMaxArrayDepth) {
      CefRefPtr<CefListValue> nested = CefListValue::Create();
      ConvertArray(element, nested, depth + 1);
      target->SetList(index, nested);
    }
  }
}

}  // namespace

void V8ArrayToList(CefRefPtr<CefV8Value> source,
                   CefRefPtr<CefListValue> target) {
  ConvertArray(source, target, 1);
}
