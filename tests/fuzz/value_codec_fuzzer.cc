// Tests the stand-in's own IPC code, not the system's: it uses its internals.
// Any bytes given to the value decoder are refused or give a list whose
// encoding is stable: encoding it, decoding that and encoding again gives
// the same bytes, and decoding an encoding uses all of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "include/cef_values.h"
#include "cefsim/src/ipc/value_codec.h"
#include "cefsim/src/ipc/wire_format.h"

namespace {

std::string Encode(CefRefPtr<CefListValue> list) {
  cefsim::WireWriter writer;
  cefsim::WriteList(&writer, list);
  return writer.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cefsim::WireReader reader(reinterpret_cast<const char*>(data), size);
  CefRefPtr<CefListValue> list = CefListValue::Create();
  if (!cefsim::ReadList(&reader, list))
    return 0;

  std::string encoded = Encode(list);
  cefsim::WireReader again(encoded);
  CefRefPtr<CefListValue> copy = CefListValue::Create();
  if (!cefsim::ReadList(&again, copy) || !again.AtEnd())
    abort();
  // Bytes, not IsEqual: a NaN is unequal to itself.
  if (Encode(copy) != encoded)
    abort();
  return 0;
}
