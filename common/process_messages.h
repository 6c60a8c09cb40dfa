// The messages the render process sends to the browser process, and where
// their arguments sit. Both sides read this one list, so that a renamed
// message or a moved argument cannot reach only one of them.
#ifndef ZUBRIX_COMMON_PROCESS_MESSAGES_H_
#define ZUBRIX_COMMON_PROCESS_MESSAGES_H_

namespace zubrix {
namespace process_messages {

// A page's call of a registered Python callback.
constexpr char kExecuteCallPythonCallback[] = "ExecuteCallPythonCallback";
constexpr int kCallbackIdIndex = 0;         // int
constexpr int kCallbackArgumentsIndex = 1;  // list

// A command for the host's own interpreters.
constexpr char kExecuteMayaMel[] = "ExecuteMayaMel";
constexpr char kExecuteMayaPython[] = "ExecuteMayaPython";
constexpr int kCommandTextIndex = 0;  // string

}  // namespace process_messages
}  // namespace zubrix

#endif  // ZUBRIX_COMMON_PROCESS_MESSAGES_H_
