#include "scheme/streamed_body.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/function_task.h"
#include "include/cef_task.h"
#include "include/wrapper/cef_helpers.h"
#include "scheme/client_response.h"
#include "scheme/not_found_reports.h"
#include "scheme/read_piece_size.h"

namespace zubrix {

void StreamedBody::Start(const CefString& url, const ClientRoute& route,
                         CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  CefRefPtr<StreamedBody> body(this);
  if (!CefPostTask(TID_FILE, new FunctionTask([body, url, route, callback] {
                     body->OpenOnFileThread(url, route, callback);
                   })))
    callback->Cancel();
}

void StreamedBody::OpenOnFileThread(const CefString& url,
                                    const ClientRoute& route,
                                    CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_FILE_THREAD();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Dropped before the file thread came to it: nothing is opened.
    if (cancelled_)
      return;
  }
  ClientResponse response = OpenClientResponse(route, kMostBufferedBytes);
  // Before the page hears the answer, so the reason is never behind it.
  if (!response.not_found_reason.empty())
    ReportNotFound(url.ToString(), response.not_found_reason);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_)
      return;  // |response| and its open source go here, on this thread.
    mime_type_ = response.mime_type;
    length_ = response.length;
    ready_bytes_ = response.first_bytes.size();
    if (ready_bytes_ > 0)
      ready_.push_back(std::move(response.first_bytes));
    source_ = std::move(response.rest);
  }
  callback->Continue();
}

void StreamedBody::ReadOnFileThread() {
  CEF_REQUIRE_FILE_THREAD();
  std::unique_ptr<BodySource> finished;
  CefRefPtr<CefCallback> waiting;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_) {
      reading_ = false;
      finished = std::move(source_);
      return;
    }
  }
  // |source_| is this thread's alone while |reading_| is set.
  std::string piece(kReadPieceSize, '\0');
  size_t count = 0;
  const BodySource::Piece result = source_->Read(&piece[0], piece.size(),
                                                 &count);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    reading_ = false;
    if (cancelled_) {
      finished = std::move(source_);
      return;
    }
    if (result == BodySource::Piece::kData) {
      piece.resize(count);
      ready_bytes_ += count;
      ready_.push_back(std::move(piece));
    } else {
      finished = std::move(source_);
      broken_ = result == BodySource::Piece::kBroken;
    }
    waiting.swap(waiting_reader_);
    ReadMoreLocked();
  }
  // The handler reads again; what it finds decides between more bytes, the
  // end and a cancelled request.
  if (waiting)
    waiting->Continue();
}

const CefString* StreamedBody::mime_type() {
  std::lock_guard<std::mutex> lock(mutex_);
  return mime_type_;
}

int64 StreamedBody::length() {
  std::lock_guard<std::mutex> lock(mutex_);
  return length_;
}

bool StreamedBody::Read(void* out, size_t capacity, size_t* count,
                        CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  *count = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_)
      return false;
    if (ready_bytes_ > 0) {
      char* const to = static_cast<char*>(out);
      while (*count < capacity && !ready_.empty()) {
        const std::string& front = ready_.front();
        const size_t take =
            std::min(capacity - *count, front.size() - front_offset_);
        memcpy(to + *count, front.data() + front_offset_, take);
        *count += take;
        front_offset_ += take;
        if (front_offset_ == front.size()) {
          ready_.pop_front();
          front_offset_ = 0;
        }
      }
      ready_bytes_ -= *count;
      ReadMoreLocked();
      return true;
    }
    if (!source_) {
      if (!broken_)
        return false;
      // Cut short or damaged after its length was promised: the request
      // fails rather than end early as if whole.
      cancelled_ = true;
    } else {
      if (capacity > 0)
        waiting_reader_ = callback;
      ReadMoreLocked();
      return true;
    }
  }
  callback->Cancel();
  return true;
}

void StreamedBody::ReadMoreLocked() {
  if (reading_ || !source_ || cancelled_ ||
      ready_bytes_ + kReadPieceSize > kMostBufferedBytes)
    return;
  reading_ = true;
  CefRefPtr<StreamedBody> body(this);
  if (!CefPostTask(TID_FILE,
                   new FunctionTask([body] { body->ReadOnFileThread(); }))) {
    // No file thread any more (shutting down): nothing further will come.
    reading_ = false;
    broken_ = true;
    Release(std::move(source_));
  }
}

void StreamedBody::Cancel() {
  std::unique_ptr<BodySource> idle_source;
  CefRefPtr<CefCallback> waiting;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_)
      return;
    cancelled_ = true;
    ready_.clear();
    front_offset_ = 0;
    ready_bytes_ = 0;
    waiting.swap(waiting_reader_);
    // A source being read is let go by the file thread when it is done.
    if (!reading_)
      idle_source = std::move(source_);
  }
  if (idle_source)
    Release(std::move(idle_source));
}

void StreamedBody::Release(std::unique_ptr<BodySource> source) {
  // The task owns the source; one that never runs lets it go wherever it is
  // dropped.
  std::shared_ptr<BodySource> owned(std::move(source));
  CefPostTask(TID_FILE, new FunctionTask([owned = std::move(owned)]() mutable {
                owned.reset();
              }));
}

}  // namespace zubrix
