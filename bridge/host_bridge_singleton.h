// The process-wide receiver on the host's main thread: it keeps each
// browser's start-up code and the registered Python callbacks, and runs a
// callback when a page asks for it.
#ifndef ZUBRIX_BRIDGE_HOST_BRIDGE_SINGLETON_H_
#define ZUBRIX_BRIDGE_HOST_BRIDGE_SINGLETON_H_

#include <Python.h>

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "bridge/cef_list_value_wrapper.h"
#include "bridge/load_failure_log.h"
#include "bridge/page_console_log.h"
#include "bridge/python_callback_registry.h"
#include "bridge/startup_code_store.h"

namespace zubrix {

class HostBridgeSingleton : public QObject {
  Q_OBJECT

 public:
  // Notes the calling thread as the host's main thread. Called once, as the
  // module is imported there.
  static void RememberHomeThread();
  // Creates the instance on the first call; it is never destroyed. It lives
  // on the thread RememberHomeThread noted, whichever thread calls first (the
  // registry may be used from any Python thread before Initialize); without
  // one, on the calling thread.
  static HostBridgeSingleton* Instance();

  // Start-up code per browser identifier, UTF-8. Callable from any thread.
  void SetStartupCode(uint32_t browser_id, const std::string& code);
  // Copies the browser's code into |code| and returns true, or returns false
  // and leaves |code| untouched when there is none.
  bool GetStartupCode(uint32_t browser_id, std::string* code);
  void RemoveStartupCode(uint32_t browser_id);

  // The callback registry. Called from Python on the host's main thread,
  // holding the interpreter lock (Unregister takes it itself).
  uint32_t RegisterPyCallback(PyObject* callable);
  void UnregisterPyCallback(uint32_t callback_id);
  // Hands a failed load to load_failed on the host's main thread. Any
  // thread.
  void PostLoadFailure(const std::string& url, const std::string& reason);
  // Where page_console_message logs; see PageConsoleLog::SetLogger. Host's
  // main thread, holding the interpreter lock.
  void SetConsoleLogger(PyObject* logger);

 public Q_SLOTS:
  // Runs on the host's main thread, where Qt delivers the queued call.
  void execute_python_callback(int callback_id, CefListValueWrapper args);
  // A page's console message, from the browser's display handler.
  void page_console_message(QString source, int line, QString message);
  // A load or a client: request that failed, and why.
  void load_failed(QString url, QString reason);

 private:
  HostBridgeSingleton();
  ~HostBridgeSingleton() override = default;

  StartupCodeStore startup_codes_;
  PythonCallbackRegistry callbacks_;
  PageConsoleLog console_log_;
  LoadFailureLog load_failures_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_HOST_BRIDGE_SINGLETON_H_
