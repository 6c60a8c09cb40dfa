// The requests one browser's client sends to the host's main thread. Emitted
// on CEF's UI thread; Qt queues them to receivers that live elsewhere.
#ifndef ZUBRIX_BRIDGE_HOST_BRIDGE_SIGNALS_H_
#define ZUBRIX_BRIDGE_HOST_BRIDGE_SIGNALS_H_

#include <QObject>
#include <QString>

#include "bridge/cef_list_value_wrapper.h"

namespace zubrix {

class HostBridgeSignals : public QObject {
  Q_OBJECT

 Q_SIGNALS:
  void execute_maya_mel(QString);
  void execute_maya_python(QString);
  // By reference: a queued connection copies the wrapper for the receiver
  // in any case, so the emission makes no copy of its own.
  void execute_python_callback(int, const CefListValueWrapper&);
  // A console message of the page: source URL, line, text.
  void page_console_message(QString, int, QString);
  // A load that failed: URL, reason.
  void load_failed(QString, QString);
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_HOST_BRIDGE_SIGNALS_H_
