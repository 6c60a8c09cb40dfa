// The messages the render process sends to the browser process: each one's
// name, and each argument's position and type. Both sides read and write the
// arguments only through these, so that a renamed message, a moved argument
// or a changed type cannot reach only one of them.
#ifndef ZUBRIX_COMMON_PROCESS_MESSAGES_H_
#define ZUBRIX_COMMON_PROCESS_MESSAGES_H_

#include <cstddef>

#include "include/cef_values.h"

namespace zubrix {
namespace process_messages {

// An argument of type T at |index| of a message's argument list.
template <typename T>
struct Argument {
  size_t index;
};

using List = CefRefPtr<CefListValue>;

// A missing or mistyped argument reads as CEF's getters give it: 0, empty
// text, a null list.
inline int Get(List arguments, Argument<int> argument) {
  return arguments->GetInt(argument.index);
}
inline CefString Get(List arguments, Argument<CefString> argument) {
  return arguments->GetString(argument.index);
}
inline List Get(List arguments, Argument<List> argument) {
  return arguments->GetList(argument.index);
}

inline void Set(List arguments, Argument<int> argument, int value) {
  arguments->SetInt(argument.index, value);
}
inline void Set(List arguments, Argument<List> argument, List value) {
  arguments->SetList(argument.index, value);
}

// A page's call of a registered Python callback.
constexpr char kExecuteCallPythonCallback[] = "ExecuteCallPythonCallback";
constexpr Argument<int> kCallbackId{0};
constexpr Argument<List> kCallbackArguments{1};

// A command for the host's own interpreters.
constexpr char kExecuteMayaMel[] = "ExecuteMayaMel";
constexpr char kExecuteMayaPython[] = "ExecuteMayaPython";
constexpr Argument<CefString> kCommandText{0};

}  // namespace process_messages
}  // namespace zubrix

#endif  // ZUBRIX_COMMON_PROCESS_MESSAGES_H_
