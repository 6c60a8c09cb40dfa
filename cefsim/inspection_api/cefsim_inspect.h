// What the stand-in lets tests and the demo see of its inside. The product's
// code never includes this.
#ifndef CEFSIM_INSPECTION_API_CEFSIM_INSPECT_H_
#define CEFSIM_INSPECTION_API_CEFSIM_INSPECT_H_

#include <string>
#include <vector>

#include "include/cef_base.h"
#include "cefsim/inspection_api/cefsim_inspect_browsers.h"
#include "cefsim/inspection_api/cefsim_inspect_standalone.h"

namespace cefsim_inspect {

struct ProcessRecord {
  int pid = 0;
  std::string type;  // Empty for the browser (host) process.
  std::vector<std::string> argv;  // The final command line.
  bool alive = true;
};

// The settings of the last CefInitialize call; false before any.
bool LastSettings(CefSettings* settings);
int InitializeCount();

// The host process (once CefInitialize ran) and every render process that
// reported itself, in order of appearance.
std::vector<ProcessRecord> Processes();

// Starts a render process with no browser, as Chromium keeps a spare one,
// and waits until it reports itself. Its pid, or -1.
int StartSpareRenderProcess(int timeout_ms);
// Kills a render process as a crash would. False for an unknown pid.
bool KillRenderProcess(int pid);

// CEF's named threads without CefInitialize, for code tested on its own;
// CEF's CefPostTask and CefCurrentlyOn then reach them. StartThread leaves a
// running thread as it is; StopThread drops the thread's queued tasks and is
// not for that thread itself.
void StartThread(cef_thread_id_t id);
void StopThread(cef_thread_id_t id);

// The global cookie store's cookies, in CefCookieManager::VisitAllCookies
// order.
std::vector<CefCookie> Cookies();

}  // namespace cefsim_inspect

#endif  // CEFSIM_INSPECTION_API_CEFSIM_INSPECT_H_
