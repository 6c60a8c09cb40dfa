#include "scheme/not_found_reports.h"

#include <atomic>

namespace zubrix {
namespace {

std::atomic<NotFoundListener> listener{nullptr};

}  // namespace

void SetNotFoundListener(NotFoundListener new_listener) {
  listener.store(new_listener);
}

void ReportNotFound(const std::string& url, const std::string& reason) {
  if (NotFoundListener current = listener.load())
    current(url, reason);
}

}  // namespace zubrix
