// Printing. The stand-in prints nothing; the type exists for the hook that returns it.
#ifndef CEF_INCLUDE_CEF_PRINT_HANDLER_H_
#define CEF_INCLUDE_CEF_PRINT_HANDLER_H_

#include "include/cef_base.h"

class CefPrintHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_PRINT_HANDLER_H_
