// One "client" request served by the module's resource handler, driven as
// CEF's IO thread drives it, and the least that answering the same request
// from CEF's file thread costs.
#ifndef ZUBRIX_BENCH_HANDLER_REQUESTS_H_
#define ZUBRIX_BENCH_HANDLER_REQUESTS_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "include/internal/cef_string.h"
#include "plain_reads.h"

namespace bench {

// ProcessRequest on the IO thread, GetResponseHeaders once the handler's
// callback continued, then ReadResponse into |piece| until it reports the
// end, a read that found nothing ready resumed at the next Continue; waits
// for all of it. The body's byte count; -1 when the handler refused or
// cancelled. |url| is text CEF already holds, as a page's request carries
// it, so that converting the bench's own string is not counted as a
// request's work.
long ServeThroughHandler(const CefString& url, std::vector<char>* piece);

// What CEF's own stream resource handler pays for the same bytes: each
// piece read on CEF's file thread into a buffer (the first where |open|
// opens the source), answered on the IO thread and copied out there into
// |piece|; waits for all of it. The byte count.
size_t ReadInPiecesOnFileThread(
    const std::function<std::unique_ptr<PieceReader>()>& open,
    std::vector<char>* piece);

}  // namespace bench

#endif  // ZUBRIX_BENCH_HANDLER_REQUESTS_H_
