// A "client" response's body on its way from CEF's file thread, where it is
// opened and read, to CEF's IO thread, where the resource handler hands it
// out; the IO thread never waits on a disk read or an inflate.
#ifndef ZUBRIX_SCHEME_STREAMED_BODY_H_
#define ZUBRIX_SCHEME_STREAMED_BODY_H_

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "include/cef_base.h"
#include "include/cef_callback.h"
#include "scheme/body_source.h"
#include "scheme/client_route.h"

namespace zubrix {

class StreamedBody : public CefBaseRefCounted {
 public:
  // How far reading runs ahead of the page: the most a request holds.
  static constexpr size_t kMostBufferedBytes = 256 * 1024;

  StreamedBody() {}

  // IO thread. Opens what |route| names on the file thread, then calls
  // |callback|'s Continue (the answer is known), or its Cancel when the
  // file thread no longer runs. A not-found answer is reported with |url|.
  void Start(const CefString& url, const ClientRoute& route,
             CefRefPtr<CefCallback> callback);

  // IO thread, once Start's Continue came.
  const CefString* mime_type();
  int64 length();

  // IO thread: copies up to |capacity| ready bytes to |out|. True with
  // |*count| > 0 for bytes; true with 0 when none are ready yet (|callback|
  // then gets Continue once some are, or Cancel when the body turned out
  // broken); false once every byte went out, or the body was cancelled.
  bool Read(void* out, size_t capacity, size_t* count,
            CefRefPtr<CefCallback> callback);

  // Any thread: stops the work and lets its resources go; nothing is
  // called back afterwards. Repeating it does nothing.
  void Cancel();

 private:
  // File thread.
  void OpenOnFileThread(const CefString& url, const ClientRoute& route,
                        CefRefPtr<CefCallback> callback);
  void ReadOnFileThread();
  // Under |mutex_|: asks the file thread for a further piece when there is
  // room for one and nobody reads yet.
  void ReadMoreLocked();
  // Lets |source| go on the file thread, where it was made; at once when
  // that thread no longer runs.
  static void Release(std::unique_ptr<BodySource> source);

  std::mutex mutex_;
  // Set on the file thread before Continue; read on the IO thread after.
  const CefString* mime_type_ = nullptr;
  int64 length_ = 0;
  // Bytes read and not yet handed out, in the order read; the front one
  // partly handed out up to |front_offset_|.
  std::deque<std::string> ready_;
  size_t front_offset_ = 0;
  size_t ready_bytes_ = 0;
  // What remains to read. Touched outside |mutex_| only by the file thread
  // while |reading_| is set.
  std::unique_ptr<BodySource> source_;
  bool reading_ = false;
  bool broken_ = false;
  bool cancelled_ = false;
  // The handler's callback while a Read found nothing ready.
  CefRefPtr<CefCallback> waiting_reader_;

  IMPLEMENT_REFCOUNTING(StreamedBody);
  DISALLOW_COPY_AND_ASSIGN(StreamedBody);
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_STREAMED_BODY_H_
