// CEF's wrapper CefZipArchive (include/wrapper/cef_zip_archive.h): an
// in-memory copy of the entries of a ZIP archive, looked up by name without
// regard to case. The system reads archives its own way; the tests keep this
// as the reference it must agree with.
#ifndef TESTS_CPP_TEST_SUPPORT_CEF_ZIP_ARCHIVE_H_
#define TESTS_CPP_TEST_SUPPORT_CEF_ZIP_ARCHIVE_H_

#include <map>

#include "include/base/cef_lock.h"
#include "include/base/cef_macros.h"
#include "include/base/cef_ref_counted.h"
#include "include/cef_base.h"

class CefStreamReader;

class CefZipArchive : public base::RefCountedThreadSafe<CefZipArchive> {
 public:
  class File : public CefBaseRefCounted {
   public:
    virtual const unsigned char* GetData() const = 0;
    virtual size_t GetDataSize() const = 0;
    virtual CefRefPtr<CefStreamReader> GetStreamReader() const = 0;
  };
  typedef std::map<CefString, CefRefPtr<File>> FileMap;

  CefZipArchive();

  size_t Load(CefRefPtr<CefStreamReader> stream,
              const CefString& password,
              bool overwriteExisting);
  void Clear();
  size_t GetFileCount() const;
  bool HasFile(const CefString& fileName) const;
  CefRefPtr<File> GetFile(const CefString& fileName) const;
  bool RemoveFile(const CefString& fileName);
  size_t GetFiles(FileMap& map) const;

 private:
  friend class base::RefCountedThreadSafe<CefZipArchive>;
  ~CefZipArchive();

  FileMap contents_;
  mutable base::Lock lock_;

  DISALLOW_COPY_AND_ASSIGN(CefZipArchive);
};

#endif  // TESTS_CPP_TEST_SUPPORT_CEF_ZIP_ARCHIVE_H_
