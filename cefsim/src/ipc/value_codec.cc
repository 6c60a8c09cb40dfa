#include "cefsim/src/ipc/value_codec.h"

#include <string>

#include "cefsim/src/values/list_value_impl.h"
#include "cefsim/src/values/value_node.h"

namespace cefsim {
namespace {

// Only the library implements CEF's value types, so every list is the
// stand-in's own: values pass between its nodes and the wire directly, with
// no CefValue, CefString or lock per entry.

// Every encoded value takes at least its type byte.
constexpr size_t kMinValueSize = 1;

void WriteListNode(WireWriter* writer, const ValueNode* list);
void WriteDictionaryNode(WireWriter* writer, const ValueNode& dict);

// A missing entry goes out as a null.
void WriteNode(WireWriter* writer, const ValueNode* node) {
  const cef_value_type_t type = node ? node->type() : VTYPE_NULL;
  writer->U8(static_cast<uint8_t>(type));
  switch (type) {
    case VTYPE_BOOL:
      writer->U8(node->GetBool() ? 1 : 0);
      break;
    case VTYPE_INT:
      writer->I32(node->GetInt());
      break;
    case VTYPE_DOUBLE:
      writer->F64(node->GetDouble());
      break;
    case VTYPE_STRING:
      writer->Utf16(node->GetString());
      break;
    case VTYPE_BINARY: {
      const ValueNode::Bytes* bytes = node->GetBinary();
      writer->Bytes(bytes->data(), bytes->size());
      break;
    }
    case VTYPE_DICTIONARY:
      WriteDictionaryNode(writer, *node);
      break;
    case VTYPE_LIST:
      WriteListNode(writer, node);
      break;
    default:
      break;
  }
}

void WriteListNode(WireWriter* writer, const ValueNode* list) {
  const size_t size = list ? list->Size() : 0;
  writer->U32(static_cast<uint32_t>(size));
  for (size_t i = 0; i < size; ++i)
    WriteNode(writer, list->ChildNode(i));
}

void WriteDictionaryNode(WireWriter* writer, const ValueNode& dict) {
  const std::vector<std::u16string> keys = dict.Keys();
  writer->U32(static_cast<uint32_t>(keys.size()));
  for (const std::u16string& key : keys) {
    writer->Utf16(key);
    WriteNode(writer, dict.ChildNode(key));
  }
}

bool ReadListEntries(WireReader* reader, ValueNode* list, int depth);
bool ReadDictionaryEntries(WireReader* reader, ValueNode* dict, int depth);

// Null on bad input.
ValueNode::Ptr ReadNode(WireReader* reader, int depth) {
  const uint8_t type = reader->U8();
  if (!reader->ok())
    return nullptr;
  ValueNode::Ptr node;
  switch (type) {
    case VTYPE_NULL:
      node = ValueNode::NewNull();
      break;
    case VTYPE_BOOL:
      node = ValueNode::NewBool(reader->U8() != 0);
      break;
    case VTYPE_INT:
      node = ValueNode::NewInt(reader->I32());
      break;
    case VTYPE_DOUBLE:
      node = ValueNode::NewDouble(reader->F64());
      break;
    case VTYPE_STRING:
      node = ValueNode::NewString(reader->Utf16());
      break;
    case VTYPE_BINARY: {
      const std::string bytes = reader->Bytes();
      node = ValueNode::NewBinary(bytes.data(), bytes.size());
      break;
    }
    case VTYPE_DICTIONARY:
      node = ValueNode::NewDictionary();
      if (!ReadDictionaryEntries(reader, node.get(), depth + 1))
        return nullptr;
      break;
    case VTYPE_LIST:
      node = ValueNode::NewList();
      if (!ReadListEntries(reader, node.get(), depth + 1))
        return nullptr;
      break;
    default:
      reader->Fail();
      return nullptr;
  }
  return reader->ok() ? node : nullptr;
}

// Deeper nesting than the limit is refused before anything is read.
bool WithinDepth(WireReader* reader, int depth) {
  if (depth <= kMaxWireValueDepth)
    return true;
  reader->Fail();
  return false;
}

bool ReadListEntries(WireReader* reader, ValueNode* list, int depth) {
  if (!WithinDepth(reader, depth))
    return false;
  const uint32_t count = reader->Count(kMinValueSize);
  for (uint32_t i = 0; i < count; ++i) {
    ValueNode::Ptr entry = ReadNode(reader, depth);
    if (!entry || !list->SetChild(static_cast<size_t>(i), std::move(entry)))
      return false;
  }
  return reader->ok();
}

bool ReadDictionaryEntries(WireReader* reader, ValueNode* dict, int depth) {
  if (!WithinDepth(reader, depth))
    return false;
  const uint32_t count = reader->Count(sizeof(uint32_t) + kMinValueSize);
  for (uint32_t i = 0; i < count; ++i) {
    const std::u16string key = reader->Utf16();
    if (!reader->ok())
      return false;
    ValueNode::Ptr entry = ReadNode(reader, depth);
    if (!entry || !dict->SetChild(key, std::move(entry)))
      return false;
  }
  return reader->ok();
}

}  // namespace

void WriteList(WireWriter* writer, CefRefPtr<CefListValue> list) {
  WriteListNode(writer, list ? ListValueImpl::HandleOf(list).Peek() : nullptr);
}

bool ReadList(WireReader* reader, CefRefPtr<CefListValue> list) {
  const ValueNode::Ptr node = ListValueImpl::HandleOf(list).LockForWriting();
  if (!node) {
    reader->Fail();
    return false;
  }
  return ReadListEntries(reader, node.get(), 0);
}

}  // namespace cefsim
