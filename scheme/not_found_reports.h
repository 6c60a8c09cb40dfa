// Who hears why a "client" request was answered with the not-found page:
// the module tells the tool developer, which the page alone cannot.
#ifndef ZUBRIX_SCHEME_NOT_FOUND_REPORTS_H_
#define ZUBRIX_SCHEME_NOT_FOUND_REPORTS_H_

#include <string>

namespace zubrix {

// Called on the thread that serves the request, with the URL and the
// reason, both UTF-8; it must not block.
typedef void (*NotFoundListener)(const std::string& url,
                                 const std::string& reason);

// Any thread; null (the default) tells no one.
void SetNotFoundListener(NotFoundListener listener);
void ReportNotFound(const std::string& url, const std::string& reason);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_NOT_FOUND_REPORTS_H_
