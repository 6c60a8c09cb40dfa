// Sequential reading of the entries of a ZIP archive.
#ifndef CEF_INCLUDE_CEF_ZIP_READER_H_
#define CEF_INCLUDE_CEF_ZIP_READER_H_

#include "include/cef_base.h"
#include "include/cef_stream.h"

class CefZipReader : public virtual CefBaseRefCounted {
 public:
  static CefRefPtr<CefZipReader> Create(CefRefPtr<CefStreamReader> stream);

  virtual bool MoveToFirstFile() = 0;
  virtual bool MoveToNextFile() = 0;
  virtual bool MoveToFile(const CefString& fileName, bool caseSensitive) = 0;
  virtual bool Close() = 0;

  virtual CefString GetFileName() = 0;
  virtual int64 GetFileSize() = 0;

  virtual bool OpenFile(const CefString& password) = 0;
  virtual bool CloseFile() = 0;
  virtual int ReadFile(void* buffer, size_t bufferSize) = 0;
  virtual int64 Tell() = 0;
  virtual bool Eof() = 0;
};

#endif  // CEF_INCLUDE_CEF_ZIP_READER_H_
