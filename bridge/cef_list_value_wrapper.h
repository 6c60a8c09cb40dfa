// Carries one counted reference to a CEF value list through a queued Qt
// signal, so that a call's arguments outlive the thread that emitted them.
#ifndef ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_
#define ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_

#include <QMetaType>

#include "include/cef_values.h"

struct CefListValueWrapper {
  CefRefPtr<CefListValue> list;
};

Q_DECLARE_METATYPE(CefListValueWrapper)

#endif  // ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_
