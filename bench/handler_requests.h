// One "client" request served by the module's resource handler, driven as
// CEF's IO thread drives it, and the least that answering the same request
// from CEF's file thread costs.
#ifndef ZUBRIX_BENCH_HANDLER_REQUESTS_H_
#define ZUBRIX_BENCH_HANDLER_REQUESTS_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "include/internal/cef_string.h"

namespace bench {

// ProcessRequest on the IO thread, GetResponseHeaders once the handler's
// callback continued, then ReadResponse into |piece| until it reports the
// end, a read that found nothing ready resumed at the next Continue; waits
// for all of it. The body's byte count; -1 when the handler refused or
// cancelled. |url| is text CEF already holds, as a page's request carries
// it, so that converting the bench's own string is not counted as a
// request's work.
long ServeThroughHandler(const CefString& url, std::vector<char>* piece);

// Runs |read| on CEF's file thread and takes its answer on the IO thread,
// as a handler that reads there is answered through its callback; waits
// for the answer and returns it.
size_t ReadOnFileThreadAnsweredOnIo(const std::function<size_t()>& read);

}  // namespace bench

#endif  // ZUBRIX_BENCH_HANDLER_REQUESTS_H_
