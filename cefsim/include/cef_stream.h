// Readable byte streams over files, memory or a client's read handler.
#ifndef CEF_INCLUDE_CEF_STREAM_H_
#define CEF_INCLUDE_CEF_STREAM_H_

#include "include/cef_base.h"

class CefReadHandler : public virtual CefBaseRefCounted {
 public:
  virtual size_t Read(void* ptr, size_t size, size_t n) = 0;
  virtual int Seek(int64 offset, int whence) = 0;
  virtual int64 Tell() = 0;
  virtual int Eof() = 0;
  virtual bool MayBlock() = 0;
};

class CefStreamReader : public virtual CefBaseRefCounted {
 public:
  static CefRefPtr<CefStreamReader> CreateForFile(const CefString& fileName);
  static CefRefPtr<CefStreamReader> CreateForData(void* data, size_t size);
  static CefRefPtr<CefStreamReader> CreateForHandler(
      CefRefPtr<CefReadHandler> handler);

  virtual size_t Read(void* ptr, size_t size, size_t n) = 0;
  virtual int Seek(int64 offset, int whence) = 0;
  virtual int64 Tell() = 0;
  virtual int Eof() = 0;
  virtual bool MayBlock() = 0;
};

#endif  // CEF_INCLUDE_CEF_STREAM_H_
