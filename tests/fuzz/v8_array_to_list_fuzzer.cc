// V8ArrayToList over nested JavaScript values built from the input: each
// value that travels lands at its index with its type and value, the others
// leave null or nothing, and no nesting, however deep or circular, recurses
// without end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "fuzz_input.h"
#include "include/cef_v8.h"
#include "renderer/v8_array_to_list.h"

namespace {

void Check(bool condition) {
  if (!condition)
    abort();
}

// Reads the input one byte per step: each step appends a value to the
// innermost open array, or opens or closes one.
class ArrayBuilder {
 public:
  ArrayBuilder(const uint8_t* data, size_t size) : input_(data, size) {
    open_.push_back(CefV8Value::CreateArray(0));
  }

  CefRefPtr<CefV8Value> Build() {
    while (!input_.empty())
      Step(input_.Next());
    return open_.front();
  }

 private:
  void Append(CefRefPtr<CefV8Value> value) {
    CefRefPtr<CefV8Value> array = open_.back();
    array->SetValue(array->GetArrayLength(), value);
  }

  void Step(uint8_t op) {
    switch (op % 11) {
      case 0:
        Append(CefV8Value::CreateString(CefString(input_.NextText16())));
        break;
      case 1:
        Append(CefV8Value::CreateInt(static_cast<int32>(input_.Next32())));
        break;
      case 2:
        Append(CefV8Value::CreateBool(input_.Next() & 1));
        break;
      case 3:
        Append(CefV8Value::CreateDouble(input_.NextDouble()));
        break;
      case 4: {
        CefRefPtr<CefV8Value> nested = CefV8Value::CreateArray(0);
        Append(nested);
        open_.push_back(nested);
        break;
      }
      case 5:
        if (open_.size() > 1)
          open_.pop_back();
        break;
      case 6:
        Append(CefV8Value::CreateNull());
        break;
      case 7:
        Append(CefV8Value::CreateUndefined());
        break;
      case 8:
        Append(CefV8Value::CreateObject(nullptr, nullptr));
        break;
      case 9:
        // An array that holds one of its own ancestors, or itself.
        Append(open_[input_.Next() % open_.size()]);
        break;
      default: {
        // A hole: setting past the end leaves the gap unset.
        CefRefPtr<CefV8Value> array = open_.back();
        array->SetValue(array->GetArrayLength() + input_.Next() % 4,
                        CefV8Value::CreateInt(1));
        break;
      }
    }
  }

  FuzzInput input_;
  std::vector<CefRefPtr<CefV8Value>> open_;
};

// Walks in the conversion's order and stops where its element budget ends
// it, so that a value holding itself twice is checked in bounded time too.
void CheckList(CefRefPtr<CefV8Value> array, CefRefPtr<CefListValue> list,
               int depth, int* budget) {
  Check(list->GetSize() <= static_cast<size_t>(array->GetArrayLength()));
  for (size_t i = 0; i < list->GetSize() && *budget > 0; ++i, --*budget) {
    CefRefPtr<CefV8Value> element = array->GetValue(static_cast<int>(i));
    const CefValueType type = list->GetType(i);
    if (element && element->IsString()) {
      Check(type == VTYPE_STRING &&
            list->GetString(i).ToString16() ==
                element->GetStringValue().ToString16());
    } else if (element && element->IsInt()) {
      Check(type == VTYPE_INT && list->GetInt(i) == element->GetIntValue());
    } else if (element && element->IsBool()) {
      Check(type == VTYPE_BOOL && list->GetBool(i) == element->GetBoolValue());
    } else if (element && element->IsArray() && depth < zubrix::kMaxArrayDepth) {
      Check(type == VTYPE_LIST);
      CheckList(element, list->GetList(i), depth + 1, budget);
    } else {
      Check(type == VTYPE_NULL);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A context of its own for each input, so that nothing outlives it.
  cefsim_inspect::EnteredScriptContext script;
  Check(CefV8Context::InContext());
  CefRefPtr<CefV8Value> array = ArrayBuilder(data, size).Build();
  CefRefPtr<CefListValue> list = CefListValue::Create();
  zubrix::V8ArrayToList(array, list);
  int budget = 1 << 20;
  CheckList(array, list, 1, &budget);
  return 0;
}
