#ifndef CEF_INCLUDE_INTERNAL_CEF_PTR_H_
#define CEF_INCLUDE_INTERNAL_CEF_PTR_H_

#include <memory>

#include "include/base/cef_build.h"
#include "include/base/cef_ref_counted.h"

// Counted reference to a CEF object.
template <class T>
class CefRefPtr : public scoped_refptr<T> {
 public:
  typedef scoped_refptr<T> parent;

  CefRefPtr() : parent() {}
  CefRefPtr(T* p) : parent(p) {}
  CefRefPtr(const scoped_refptr<T>& r) : parent(r) {}
  template <typename U>
  CefRefPtr(const scoped_refptr<U>& r) : parent(r) {}
};

// Owned pointer with exclusive ownership.
template <class T, class D = std::default_delete<T>>
using CefOwnPtr = std::unique_ptr<T, D>;

// Plain pointer to an object that the caller must not keep beyond the call.
template <class T>
class CefRawPtr {
 public:
  CefRawPtr() : ptr_(nullptr) {}
  CefRawPtr(T* p) : ptr_(p) {}
  template <typename U>
  CefRawPtr(const CefRawPtr<U>& r) : ptr_(r.get()) {}

  T* get() const { return ptr_; }
  operator T*() const { return ptr_; }
  T* operator->() const { return ptr_; }

 private:
  T* ptr_;
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_PTR_H_
