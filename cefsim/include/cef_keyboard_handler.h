// Keyboard events.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_
#define CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_

#include "include/cef_base.h"

class CefKeyboardHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_KEYBOARD_HANDLER_H_
