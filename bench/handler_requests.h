// One "client" request served by the module's resource handler, driven as
// CEF's IO thread drives it, and a way to run work on that thread.
#ifndef ZUBRIX_BENCH_HANDLER_REQUESTS_H_
#define ZUBRIX_BENCH_HANDLER_REQUESTS_H_

#include <functional>
#include <string>
#include <vector>

#include "include/internal/cef_string.h"

namespace bench {

// ProcessRequest, GetResponseHeaders, then ReadResponse into |piece| until
// it reports the end. The body's byte count; -1 when the handler refused.
// |url| is text CEF already holds, as a page's request carries it, so that
// converting the bench's own string is not counted as a request's work.
long ServeThroughHandler(const CefString& url, std::vector<char>* piece);

// Runs |work| on CEF's IO thread and waits for it to finish.
void RunOnIoThread(std::function<void()> work);

}  // namespace bench

#endif  // ZUBRIX_BENCH_HANDLER_REQUESTS_H_
