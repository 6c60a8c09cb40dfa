// JavaScript alert, confirm and prompt dialogs.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_
#define CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_

#include "include/cef_base.h"

class CefJSDialogHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_JSDIALOG_HANDLER_H_
