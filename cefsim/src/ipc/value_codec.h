// Lists and dictionaries of CefValue on the wire.
#ifndef CEFSIM_SRC_IPC_VALUE_CODEC_H_
#define CEFSIM_SRC_IPC_VALUE_CODEC_H_

#include "include/cef_values.h"
#include "cefsim/src/ipc/wire_format.h"

namespace cefsim {

// Deeper nesting than this is refused when reading, so that a hostile sender
// cannot exhaust the reader's stack.
constexpr int kMaxWireValueDepth = 512;

void WriteList(WireWriter* writer, CefRefPtr<CefListValue> list);
// Fills |list|; false (with |list| in an unspecified state) on bad input.
bool ReadList(WireReader* reader, CefRefPtr<CefListValue> list);

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_VALUE_CODEC_H_
