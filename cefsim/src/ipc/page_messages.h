// The frames that carry a browser's pages between the browser process and
// its render process. Each message decodes only when its payload holds
// exactly its fields.
#ifndef CEFSIM_SRC_IPC_PAGE_MESSAGES_H_
#define CEFSIM_SRC_IPC_PAGE_MESSAGES_H_

#include <cstdint>
#include <string>

namespace cefsim {

// Browser to renderer: the browser now lives in this process.
struct CreateBrowserMessage {
  int32_t browser_id = 0;
  int64_t main_frame_id = 0;
  bool is_devtools = false;
  // CefBrowserSettings.default_encoding; empty for CEF's default.
  std::string default_encoding;
};

// Browser to renderer: load |url| into a frame. |navigation_id| comes back
// with the frame's load start, end or error.
struct NavigateMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t navigation_id = 0;
  int32_t transition_type = 0;
  std::u16string url;
};

struct ExecuteJavaScriptMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t start_line = 0;
  std::u16string code;
  std::u16string script_url;
};

// Browser to renderer: a browser's loads stop where they are.
struct StopLoadMessage {
  int32_t browser_id = 0;
};

// Renderer to browser: a frame's document arrived and the frame is about
// to run it. |navigation_id| is the browser's, or 0 for a sub-frame the
// document itself asked for.
struct LoadStartMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int64_t parent_frame_id = 0;  // 0 for the main frame.
  int32_t navigation_id = 0;
  int32_t transition_type = 0;
  std::u16string name;
  std::u16string url;
};

struct LoadEndMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t navigation_id = 0;
  int32_t http_status = 0;
};

struct LoadErrorMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int64_t parent_frame_id = 0;  // A sub-frame may fail before it started.
  int32_t navigation_id = 0;
  int32_t error_code = 0;
  std::u16string error_text;
  std::u16string failed_url;
};

// Renderer to browser: a page or render-side call asks for a navigation.
struct NavigationRequestMessage {
  enum Action : int32_t {
    kLoadUrl = 0,
    kBack = 1,
    kForward = 2,
    kReload = 3,
    kReloadIgnoreCache = 4,
    kStop = 5,
  };
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t action = kLoadUrl;
  std::u16string url;
};

struct ConsoleMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t line = 0;
  std::u16string frame_url;
  std::u16string message;
  std::u16string source;  // The URL of the script that logged it.
};

// Renderer to browser: the title of the main frame's document, from its
// <title> when it commits or from a script that sets document.title, for
// the window's placeholder. UTF-8.
struct PageTitleMessage {
  int32_t browser_id = 0;
  std::string title;
};

// Renderer to browser: the main frame's window.close() was called.
struct CloseRequestMessage {
  int32_t browser_id = 0;
};

// Renderer to browser: a frame moved to another fragment of its document,
// from its own script (|navigation_id| 0) or for the browser's navigation.
struct SameDocumentNavigationMessage {
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t navigation_id = 0;
  std::u16string url;
};

// Renderer to browser: fetch a document or script for a frame.
struct ResourceRequestMessage {
  int32_t request_id = 0;
  int32_t browser_id = 0;
  int64_t frame_id = 0;
  int32_t resource_type = 0;
  std::u16string url;
};

// Browser to renderer: a piece of a request's body, sent ahead of its
// response so that the browser holds no large body whole.
struct ResourceDataMessage {
  int32_t request_id = 0;
  std::string body;
};

// Browser to renderer: the type of a response whose body comes in pieces,
// ahead of the first, as Chromium's response head precedes its data
// (ResourceMsg_ReceivedResponse).
struct ResourceResponseHeadMessage {
  int32_t request_id = 0;
  std::string mime_type;
};

// Renderer to browser: the render thread took in a piece of the request's
// body, as Chromium's renderer acknowledges each data message
// (AsyncResourceHandler::OnDataReceivedACK); the browser sends only a few
// pieces ahead of these.
struct ResourceDataAckMessage {
  int32_t request_id = 0;
};

// Browser to renderer: what a request produced. |error_code| is a
// cef_errorcode_t; ERR_NONE with the response's status, type and the body
// after the pieces sent ahead of it.
struct ResourceResponseMessage {
  int32_t request_id = 0;
  int32_t error_code = 0;
  int32_t http_status = 0;
  std::string mime_type;
  std::string charset;  // Empty when the response names none.
  std::string body;
};

std::string Encode(const CreateBrowserMessage& message);
std::string Encode(const NavigateMessage& message);
std::string Encode(const ExecuteJavaScriptMessage& message);
std::string Encode(const StopLoadMessage& message);
std::string Encode(const LoadStartMessage& message);
std::string Encode(const LoadEndMessage& message);
std::string Encode(const LoadErrorMessage& message);
std::string Encode(const NavigationRequestMessage& message);
std::string Encode(const ConsoleMessage& message);
std::string Encode(const PageTitleMessage& message);
std::string Encode(const CloseRequestMessage& message);
std::string Encode(const SameDocumentNavigationMessage& message);
std::string Encode(const ResourceRequestMessage& message);
std::string Encode(const ResourceDataMessage& message);
std::string Encode(const ResourceResponseHeadMessage& message);
std::string Encode(const ResourceDataAckMessage& message);
std::string Encode(const ResourceResponseMessage& message);

bool Decode(const std::string& payload, CreateBrowserMessage* message);
bool Decode(const std::string& payload, NavigateMessage* message);
bool Decode(const std::string& payload, ExecuteJavaScriptMessage* message);
bool Decode(const std::string& payload, StopLoadMessage* message);
bool Decode(const std::string& payload, LoadStartMessage* message);
bool Decode(const std::string& payload, LoadEndMessage* message);
bool Decode(const std::string& payload, LoadErrorMessage* message);
bool Decode(const std::string& payload, NavigationRequestMessage* message);
bool Decode(const std::string& payload, ConsoleMessage* message);
bool Decode(const std::string& payload, PageTitleMessage* message);
bool Decode(const std::string& payload, CloseRequestMessage* message);
bool Decode(const std::string& payload,
            SameDocumentNavigationMessage* message);
bool Decode(const std::string& payload, ResourceRequestMessage* message);
bool Decode(const std::string& payload, ResourceDataMessage* message);
bool Decode(const std::string& payload, ResourceResponseHeadMessage* message);
bool Decode(const std::string& payload, ResourceDataAckMessage* message);
bool Decode(const std::string& payload, ResourceResponseMessage* message);

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_PAGE_MESSAGES_H_
