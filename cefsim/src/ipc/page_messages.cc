#include "cefsim/src/ipc/page_messages.h"

#include "cefsim/src/ipc/wire_format.h"

namespace cefsim {
namespace {

// Each message lists its fields once; the same list writes and reads it.
struct Writing {
  WireWriter writer;
  void operator()(const int32_t& v) { writer.I32(v); }
  void operator()(const int64_t& v) { writer.I64(v); }
  void operator()(const bool& v) { writer.U8(v ? 1 : 0); }
  void operator()(const std::string& v) { writer.Bytes(v.data(), v.size()); }
  void operator()(const std::u16string& v) { writer.Utf16(v); }
};

struct Reading {
  explicit Reading(const std::string& payload) : reader(payload) {}
  WireReader reader;
  void operator()(int32_t& v) { v = reader.I32(); }
  void operator()(int64_t& v) { v = reader.I64(); }
  void operator()(bool& v) {
    uint8_t byte = reader.U8();
    if (byte > 1)
      reader.Fail();
    v = byte == 1;
  }
  void operator()(std::string& v) { v = reader.Bytes(); }
  void operator()(std::u16string& v) { v = reader.Utf16(); }
};

template <class F, class M>
void Fields(F& f, M& m, CreateBrowserMessage*) {
  f(m.browser_id), f(m.main_frame_id), f(m.is_devtools), f(m.default_encoding);
}
template <class F, class M>
void Fields(F& f, M& m, NavigateMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.navigation_id), f(m.transition_type),
      f(m.url);
}
template <class F, class M>
void Fields(F& f, M& m, ExecuteJavaScriptMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.start_line), f(m.code),
      f(m.script_url);
}
template <class F, class M>
void Fields(F& f, M& m, StopLoadMessage*) {
  f(m.browser_id);
}
template <class F, class M>
void Fields(F& f, M& m, LoadStartMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.parent_frame_id), f(m.navigation_id),
      f(m.transition_type), f(m.name), f(m.url);
}
template <class F, class M>
void Fields(F& f, M& m, LoadEndMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.navigation_id), f(m.http_status);
}
template <class F, class M>
void Fields(F& f, M& m, LoadErrorMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.parent_frame_id), f(m.navigation_id),
      f(m.error_code), f(m.error_text), f(m.failed_url);
}
template <class F, class M>
void Fields(F& f, M& m, NavigationRequestMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.action), f(m.url);
}
template <class F, class M>
void Fields(F& f, M& m, ConsoleMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.line), f(m.frame_url), f(m.message),
      f(m.source);
}
template <class F, class M>
void Fields(F& f, M& m, PageTitleMessage*) {
  f(m.browser_id), f(m.title);
}
template <class F, class M>
void Fields(F& f, M& m, CloseRequestMessage*) {
  f(m.browser_id);
}
template <class F, class M>
void Fields(F& f, M& m, SameDocumentNavigationMessage*) {
  f(m.browser_id), f(m.frame_id), f(m.navigation_id), f(m.url);
}
template <class F, class M>
void Fields(F& f, M& m, ResourceRequestMessage*) {
  f(m.request_id), f(m.browser_id), f(m.frame_id), f(m.resource_type),
      f(m.url);
}
template <class F, class M>
void Fields(F& f, M& m, ResourceDataMessage*) {
  f(m.request_id), f(m.body);
}
template <class F, class M>
void Fields(F& f, M& m, ResourceResponseHeadMessage*) {
  f(m.request_id), f(m.mime_type);
}
template <class F, class M>
void Fields(F& f, M& m, ResourceDataAckMessage*) {
  f(m.request_id);
}
template <class F, class M>
void Fields(F& f, M& m, ResourceResponseMessage*) {
  f(m.request_id), f(m.error_code), f(m.http_status), f(m.mime_type),
      f(m.charset), f(m.body);
}

template <class M>
std::string EncodeFields(const M& message) {
  Writing writing;
  Fields(writing, message, static_cast<M*>(nullptr));
  return writing.writer.Take();
}

template <class M>
bool DecodeFields(const std::string& payload, M* message) {
  Reading reading(payload);
  Fields(reading, *message, static_cast<M*>(nullptr));
  return reading.reader.ok() && reading.reader.AtEnd();
}

}  // namespace

#define CEFSIM_PAGE_MESSAGE(Type)                                  \
  std::string Encode(const Type& message) {                        \
    return EncodeFields(message);                                  \
  }                                                                \
  bool Decode(const std::string& payload, Type* message) {         \
    return DecodeFields(payload, message);                         \
  }

CEFSIM_PAGE_MESSAGE(CreateBrowserMessage)
CEFSIM_PAGE_MESSAGE(NavigateMessage)
CEFSIM_PAGE_MESSAGE(ExecuteJavaScriptMessage)
CEFSIM_PAGE_MESSAGE(StopLoadMessage)
CEFSIM_PAGE_MESSAGE(LoadStartMessage)
CEFSIM_PAGE_MESSAGE(LoadEndMessage)
CEFSIM_PAGE_MESSAGE(LoadErrorMessage)
CEFSIM_PAGE_MESSAGE(NavigationRequestMessage)
CEFSIM_PAGE_MESSAGE(ConsoleMessage)
CEFSIM_PAGE_MESSAGE(PageTitleMessage)
CEFSIM_PAGE_MESSAGE(CloseRequestMessage)
CEFSIM_PAGE_MESSAGE(SameDocumentNavigationMessage)
CEFSIM_PAGE_MESSAGE(ResourceRequestMessage)
CEFSIM_PAGE_MESSAGE(ResourceDataMessage)
CEFSIM_PAGE_MESSAGE(ResourceDataAckMessage)
CEFSIM_PAGE_MESSAGE(ResourceResponseHeadMessage)
CEFSIM_PAGE_MESSAGE(ResourceResponseMessage)

#undef CEFSIM_PAGE_MESSAGE

}  // namespace cefsim
