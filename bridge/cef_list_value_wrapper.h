// Carries one counted reference to a CEF value list through a queued Qt
// signal, so that a call's arguments outlive the thread that emitted them.
#ifndef ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_
#define ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_

#include <QMetaType>

#include "include/cef_values.h"

namespace zubrix {

struct CefListValueWrapper {
  CefListValueWrapper() = default;
  // Qt makes the queued copy on CEF's UI thread and the slot's copy on the
  // host's main thread. Its event queue orders the two, but with locks of
  // its own that a thread checker cannot see; copying under one lock of ours
  // makes the hand-over of the list, and of everything written to it
  // before, explicit.
  CefListValueWrapper(const CefListValueWrapper& other);
  CefListValueWrapper& operator=(const CefListValueWrapper& other);

  CefRefPtr<CefListValue> list;
};

}  // namespace zubrix

// Declared by its qualified name; the signals and the slot name the type
// unqualified, so "CefListValueWrapper" is also registered as its queued
// name (see HostBridgeSingleton).
Q_DECLARE_METATYPE(zubrix::CefListValueWrapper)

#endif  // ZUBRIX_BRIDGE_CEF_LIST_VALUE_WRAPPER_H_
