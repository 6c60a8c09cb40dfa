// CefStringUTF16: a C++ view of, or owner of, a cef_string_utf16_t.
#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_

#include <cstring>
#include <string>

#include "include/base/cef_string16.h"
#include "include/internal/cef_string_types.h"

class CefStringUTF16 {
 public:
  typedef char16 char_type;
  typedef cef_string_utf16_t struct_type;
  typedef cef_string_userfree_utf16_t userfree_struct_type;

  CefStringUTF16() : string_(nullptr), owner_(false) {}
  CefStringUTF16(const CefStringUTF16& str) : string_(nullptr), owner_(false) {
    FromString(str.c_str(), str.length(), true);
  }
  CefStringUTF16(const std::string& src) : string_(nullptr), owner_(false) {
    FromString(src);
  }
  CefStringUTF16(const char* src) : string_(nullptr), owner_(false) {
    if (src)
      FromString(std::string(src));
  }
  CefStringUTF16(const std::wstring& src) : string_(nullptr), owner_(false) {
    FromWString(src);
  }
  CefStringUTF16(const wchar_t* src) : string_(nullptr), owner_(false) {
    if (src)
      FromWString(std::wstring(src));
  }
  CefStringUTF16(const base::string16& src) : string_(nullptr), owner_(false) {
    FromString16(src);
  }
  CefStringUTF16(const char16* src) : string_(nullptr), owner_(false) {
    if (src)
      FromString16(base::string16(src));
  }
  CefStringUTF16(const char16* src, size_t src_len, bool copy)
      : string_(nullptr), owner_(false) {
    if (src && src_len > 0)
      FromString(src, src_len, copy);
  }
  // Refers to |src| without owning it: writes go to the structure itself.
  CefStringUTF16(const struct_type* src) : string_(nullptr), owner_(false) {
    if (src)
      Attach(const_cast<struct_type*>(src), false);
  }
  virtual ~CefStringUTF16() { ClearAndFree(); }

  const char16* c_str() const { return string_ ? string_->str : nullptr; }
  size_t length() const { return string_ ? string_->length : 0; }
  size_t size() const { return length(); }
  bool empty() const { return !string_ || string_->length == 0; }

  int compare(const CefStringUTF16& str) const {
    if (empty() && str.empty())
      return 0;
    if (empty())
      return -1;
    if (str.empty())
      return 1;
    return cef_string_utf16_cmp(string_, str.GetStruct());
  }

  void clear() {
    if (string_)
      cef_string_utf16_clear(string_);
  }

  void swap(CefStringUTF16& str) {
    std::swap(string_, str.string_);
    std::swap(owner_, str.owner_);
  }

  bool IsOwner() const { return owner_; }
  const struct_type* GetStruct() const { return string_; }
  struct_type* GetWritableStruct() {
    AllocIfNeeded();
    return string_;
  }

  void ClearAndFree() {
    if (!string_)
      return;
    if (owner_) {
      clear();
      delete string_;
    }
    string_ = nullptr;
    owner_ = false;
  }

  void Attach(struct_type* str, bool owner) {
    ClearAndFree();
    string_ = str;
    owner_ = owner;
  }

  void AttachToUserFree(userfree_struct_type str) {
    ClearAndFree();
    if (!str)
      return;
    AllocIfNeeded();
    owner_ = true;
    memcpy(string_, str, sizeof(struct_type));
    memset(str, 0, sizeof(struct_type));
    cef_string_userfree_utf16_free(str);
  }

  void Detach() {
    string_ = nullptr;
    owner_ = false;
  }

  userfree_struct_type DetachToUserFree() {
    if (empty())
      return nullptr;
    userfree_struct_type str = cef_string_userfree_utf16_alloc();
    memcpy(str, string_, sizeof(struct_type));
    memset(string_, 0, sizeof(struct_type));
    ClearAndFree();
    return str;
  }

  bool FromString(const char16* src, size_t src_len, bool copy) {
    if (!src || src_len == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return cef_string_utf16_set(src, src_len, string_, copy) != 0;
  }

  bool FromASCII(const char* str) {
    size_t len = str ? strlen(str) : 0;
    if (len == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return cef_string_ascii_to_utf16(str, len, string_) != 0;
  }

  std::string ToString() const {
    if (empty())
      return std::string();
    cef_string_utf8_t out = {};
    cef_string_utf16_to_utf8(string_->str, string_->length, &out);
    std::string result(out.str, out.length);
    cef_string_utf8_clear(&out);
    return result;
  }

  bool FromString(const std::string& str) {
    if (str.empty()) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return cef_string_utf8_to_utf16(str.c_str(), str.length(), string_) != 0;
  }

  std::wstring ToWString() const {
    if (empty())
      return std::wstring();
    cef_string_wide_t out = {};
    cef_string_utf16_to_wide(string_->str, string_->length, &out);
    std::wstring result(out.str, out.length);
    cef_string_wide_clear(&out);
    return result;
  }

  bool FromWString(const std::wstring& str) {
    if (str.empty()) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return cef_string_wide_to_utf16(str.c_str(), str.length(), string_) != 0;
  }

  base::string16 ToString16() const {
    if (empty())
      return base::string16();
    return base::string16(string_->str, string_->length);
  }

  bool FromString16(const base::string16& str) {
    return FromString(str.c_str(), str.length(), true);
  }

  bool operator<(const CefStringUTF16& str) const { return compare(str) < 0; }
  bool operator<=(const CefStringUTF16& str) const {
    return compare(str) <= 0;
  }
  bool operator>(const CefStringUTF16& str) const { return compare(str) > 0; }
  bool operator>=(const CefStringUTF16& str) const {
    return compare(str) >= 0;
  }
  bool operator==(const CefStringUTF16& str) const {
    return compare(str) == 0;
  }
  bool operator!=(const CefStringUTF16& str) const {
    return compare(str) != 0;
  }

  CefStringUTF16& operator=(const CefStringUTF16& str) {
    if (this != &str)
      FromString(str.c_str(), str.length(), true);
    return *this;
  }
  operator std::string() const { return ToString(); }
  CefStringUTF16& operator=(const std::string& str) {
    FromString(str);
    return *this;
  }
  CefStringUTF16& operator=(const char* str) {
    FromString(std::string(str ? str : ""));
    return *this;
  }
  operator std::wstring() const { return ToWString(); }
  CefStringUTF16& operator=(const std::wstring& str) {
    FromWString(str);
    return *this;
  }
  CefStringUTF16& operator=(const wchar_t* str) {
    FromWString(std::wstring(str ? str : L""));
    return *this;
  }
  operator base::string16() const { return ToString16(); }
  CefStringUTF16& operator=(const base::string16& str) {
    FromString16(str);
    return *this;
  }
  CefStringUTF16& operator=(const char16* str) {
    FromString16(base::string16(str ? str : u""));
    return *this;
  }

 private:
  void AllocIfNeeded() {
    if (!string_) {
      string_ = new struct_type;
      memset(string_, 0, sizeof(struct_type));
      owner_ = true;
    }
  }

  struct_type* string_;
  bool owner_;
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
