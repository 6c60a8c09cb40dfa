#include "ipc/value_codec.h"
#include "strings/u16_text.h"

#include <vector>

namespace cefsim {
namespace {

// Every encoded value takes at least its type byte.
constexpr size_t kMinValueSize = 1;

void WriteString(WireWriter* writer, const CefString& text) {
  writer->Utf16(text.c_str(), text.length());
}

void WriteDictionary(WireWriter* writer, CefRefPtr<CefDictionaryValue> dict);

// Writes the entry at |key| of |source|: an index of a list or a key of a
// dictionary, whose getters share their names. Read through the typed
// getters, so that no CefValue is made for each entry.
template <class Source, class Key>
void WriteEntry(WireWriter* writer, Source source, const Key& key) {
  CefValueType type = source->GetType(key);
  if (type == VTYPE_INVALID)
    type = VTYPE_NULL;
  writer->U8(static_cast<uint8_t>(type));
  switch (type) {
    case VTYPE_BOOL:
      writer->U8(source->GetBool(key) ? 1 : 0);
      break;
    case VTYPE_INT:
      writer->I32(source->GetInt(key));
      break;
    case VTYPE_DOUBLE:
      writer->F64(source->GetDouble(key));
      break;
    case VTYPE_STRING:
      WriteString(writer, source->GetString(key));
      break;
    case VTYPE_BINARY: {
      CefRefPtr<CefBinaryValue> binary = source->GetBinary(key);
      std::vector<char> bytes(binary ? binary->GetSize() : 0);
      if (!bytes.empty())
        binary->GetData(bytes.data(), bytes.size(), 0);
      writer->Bytes(bytes.data(), bytes.size());
      break;
    }
    case VTYPE_DICTIONARY:
      WriteDictionary(writer, source->GetDictionary(key));
      break;
    case VTYPE_LIST:
      WriteList(writer, source->GetList(key));
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
    WriteEntry(writer, dict, key);
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
    WriteEntry(writer, list, i);
}

bool ReadList(WireReader* reader, CefRefPtr<CefListValue> list) {
  return ReadListAt(reader, list, 0);
}

}  // namespace cefsim
