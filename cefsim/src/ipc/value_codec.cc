#include "ipc/value_codec.h"
#include "strings/u16_text.h"

#include <vector>

namespace cefsim {
namespace {

// Every encoded value takes at least its type byte.
constexpr size_t kMinValueSize = 1;

void WriteString(WireWriter* writer, const CefString& text) {
  writer->Utf16(text.empty() ? std::u16string() : cefsim::ToU16String(text));
}

void WriteDictionary(WireWriter* writer, CefRefPtr<CefDictionaryValue> dict);

void WriteValue(WireWriter* writer, CefRefPtr<CefValue> value) {
  CefValueType type = value ? value->GetType() : VTYPE_NULL;
  if (type == VTYPE_INVALID)
    type = VTYPE_NULL;
  writer->U8(static_cast<uint8_t>(type));
  switch (type) {
    case VTYPE_BOOL:
      writer->U8(value->GetBool() ? 1 : 0);
      break;
    case VTYPE_INT:
      writer->I32(value->GetInt());
      break;
    case VTYPE_DOUBLE:
      writer->F64(value->GetDouble());
      break;
    case VTYPE_STRING:
      WriteString(writer, value->GetString());
      break;
    case VTYPE_BINARY: {
      CefRefPtr<CefBinaryValue> binary = value->GetBinary();
      std::vector<char> bytes(binary ? binary->GetSize() : 0);
      if (!bytes.empty())
        binary->GetData(bytes.data(), bytes.size(), 0);
      writer->Bytes(bytes.data(), bytes.size());
      break;
    }
    case VTYPE_DICTIONARY:
      WriteDictionary(writer, value->GetDictionary());
      break;
    case VTYPE_LIST:
      WriteList(writer, value->GetList());
      break;
    default:
      break;
  }
}

void WriteDictionary(WireWriter* writer, CefRefPtr<CefDictionaryValue> dict) {
  CefDictionaryValue::KeyList keys;
  if (dict)
    dict->GetKeys(keys);
  writer->U32(static_cast<uint32_t>(keys.size()));
  for (const CefString& key : keys) {
    WriteString(writer, key);
    WriteValue(writer, dict->GetValue(key));
  }
}

bool ReadListAt(WireReader* reader, CefRefPtr<CefListValue> list, int depth);
bool ReadDictionaryAt(WireReader* reader, CefRefPtr<CefDictionaryValue> dict,
                      int depth);

// Reads one value into |target| at |key|: an index of a list or a key of a
// dictionary, whose setters share their names.
template <class Target, class Key>
bool ReadValueInto(WireReader* reader, Target target, const Key& key,
                   int depth) {
  uint8_t type = reader->U8();
  if (!reader->ok())
    return false;
  switch (type) {
    case VTYPE_NULL:
      target->SetNull(key);
      return true;
    case VTYPE_BOOL:
      target->SetBool(key, reader->U8() != 0);
      return reader->ok();
    case VTYPE_INT:
      target->SetInt(key, reader->I32());
      return reader->ok();
    case VTYPE_DOUBLE:
      target->SetDouble(key, reader->F64());
      return reader->ok();
    case VTYPE_STRING: {
      std::u16string text = reader->Utf16();
      target->SetString(key, cefsim::FromU16String(text));
      return reader->ok();
    }
    case VTYPE_BINARY: {
      std::string bytes = reader->Bytes();
      if (!reader->ok())
        return false;
      target->SetBinary(key, CefBinaryValue::Create(bytes.data(), bytes.size()));
      return true;
    }
    case VTYPE_DICTIONARY: {
      CefRefPtr<CefDictionaryValue> child = CefDictionaryValue::Create();
      if (!ReadDictionaryAt(reader, child, depth + 1))
        return false;
      target->SetDictionary(key, child);
      return true;
    }
    case VTYPE_LIST: {
      CefRefPtr<CefListValue> child = CefListValue::Create();
      if (!ReadListAt(reader, child, depth + 1))
        return false;
      target->SetList(key, child);
      return true;
    }
    default:
      reader->Fail();
      return false;
  }
}

bool ReadListAt(WireReader* reader, CefRefPtr<CefListValue> list, int depth) {
  if (depth > kMaxWireValueDepth) {
    reader->Fail();
    return false;
  }
  uint32_t count = reader->Count(kMinValueSize);
  for (uint32_t i = 0; i < count; ++i) {
    if (!ReadValueInto(reader, list, static_cast<size_t>(i), depth))
      return false;
  }
  return reader->ok();
}

bool ReadDictionaryAt(WireReader* reader, CefRefPtr<CefDictionaryValue> dict,
                      int depth) {
  if (depth > kMaxWireValueDepth) {
    reader->Fail();
    return false;
  }
  uint32_t count = reader->Count(sizeof(uint32_t) + kMinValueSize);
  for (uint32_t i = 0; i < count; ++i) {
    CefString key = cefsim::FromU16String(reader->Utf16());
    if (!reader->ok() || !ReadValueInto(reader, dict, key, depth))
      return false;
  }
  return reader->ok();
}

}  // namespace

void WriteList(WireWriter* writer, CefRefPtr<CefListValue> list) {
  size_t size = list ? list->GetSize() : 0;
  writer->U32(static_cast<uint32_t>(size));
  for (size_t i = 0; i < size; ++i)
    WriteValue(writer, list->GetValue(i));
}

bool ReadList(WireReader* reader, CefRefPtr<CefListValue> list) {
  return ReadListAt(reader, list, 0);
}

}  // namespace cefsim
