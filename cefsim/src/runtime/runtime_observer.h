// What the stand-in tells a test library that CEF's API does not show:
// start-up settings, the processes it heard from, console lines. libcef keeps
// none of it; with no observer registered it reports to no one.
#ifndef CEFSIM_SRC_RUNTIME_RUNTIME_OBSERVER_H_
#define CEFSIM_SRC_RUNTIME_RUNTIME_OBSERVER_H_

#include <string>
#include <vector>

#include "include/cef_app.h"

namespace cefsim {

// Called on whichever thread the event happens on (the caller's for
// CefInitialize, the IO or UI thread for the rest): implementations lock.
class RuntimeObserver {
 public:
  virtual void OnInitialize(const CefSettings& settings) = 0;
  // A process started or reported itself; |type| is empty for the browser
  // process. A pid seen again replaces what was said of it.
  virtual void OnProcessSeen(int pid, const std::string& type,
                             const std::vector<std::string>& argv) = 0;
  virtual void OnProcessExited(int pid) = 0;
  virtual void OnConsoleMessage(int browser_id, const std::string& frame_url,
                                const std::string& message,
                                const std::string& source, int line) = 0;

 protected:
  // Never deleted through this interface: it outlives every thread that
  // reports to it.
  ~RuntimeObserver() = default;
};

// Any thread. The observer must live until the process ends; null stops the
// reports. One at a time: a second replaces the first.
void SetRuntimeObserver(RuntimeObserver* observer);
// Null when none is registered.
RuntimeObserver* CurrentRuntimeObserver();

}  // namespace cefsim

#endif  // CEFSIM_SRC_RUNTIME_RUNTIME_OBSERVER_H_
