// CefStringUTF16: a C++ view of, or owner of, a cef_string_utf16_t. The
// stand-in's strings are UTF-16 only, so only that string type is offered.
#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_

#include <cstring>
#include <string>

#include "include/base/cef_string16.h"
#include "include/internal/cef_string_types.h"

// What CefStringBase needs of one string type: here the only one, UTF-16.
struct CefStringTraitsUTF16 {
  typedef char16 char_type;
  typedef cef_string_utf16_t struct_type;
  typedef cef_string_userfree_utf16_t userfree_struct_type;

  static inline void clear(struct_type* s) { cef_string_utf16_clear(s); }
  static inline int set(const char_type* src, size_t src_size,
                        struct_type* output, int copy) {
    return cef_string_utf16_set(src, src_size, output, copy);
  }
  static inline int compare(const struct_type* s1, const struct_type* s2) {
    return cef_string_utf16_cmp(s1, s2);
  }
  static inline userfree_struct_type userfree_alloc() {
    return cef_string_userfree_utf16_alloc();
  }
  static inline void userfree_free(userfree_struct_type ufs) {
    cef_string_userfree_utf16_free(ufs);
  }
  static inline bool from_ascii(const char* str, size_t len, struct_type* s) {
    return cef_string_ascii_to_utf16(str, len, s) != 0;
  }
  static inline std::string to_string(const struct_type* s) {
    return Convert<std::string>(cef_string_utf16_to_utf8,
                                cef_string_utf8_clear, s);
  }
  static inline bool from_string(const std::string& str, struct_type* s) {
    return cef_string_utf8_to_utf16(str.c_str(), str.length(), s) != 0;
  }
  static inline std::wstring to_wstring(const struct_type* s) {
    return Convert<std::wstring>(cef_string_utf16_to_wide,
                                 cef_string_wide_clear, s);
  }
  static inline bool from_wstring(const std::wstring& str, struct_type* s) {
    return cef_string_wide_to_utf16(str.c_str(), str.length(), s) != 0;
  }
  static inline base::string16 to_string16(const struct_type* s) {
    return base::string16(s->str, s->length);
  }
  static inline bool from_string16(const base::string16& str, struct_type* s) {
    return cef_string_utf16_set(str.c_str(), str.length(), s, true) != 0;
  }

 private:
  // |s| converted by |convert| into a structure that |clear| then frees.
  template <class String, class Struct>
  static String Convert(int (*convert)(const char16*, size_t, Struct*),
                        void (*clear)(Struct*),
                        const struct_type* s) {
    Struct out = {};
    convert(s->str, s->length, &out);
    String result;
    if (out.length > 0)
      result.assign(out.str, out.length);
    clear(&out);
    return result;
  }
};

template <class traits>
class CefStringBase {
 public:
  typedef typename traits::char_type char_type;
  typedef typename traits::struct_type struct_type;
  typedef typename traits::userfree_struct_type userfree_struct_type;

  CefStringBase() : string_(nullptr), owner_(false) {}
  CefStringBase(const CefStringBase& str) : string_(nullptr), owner_(false) {
    FromString(str.c_str(), str.length(), true);
  }
  CefStringBase(const std::string& src) : string_(nullptr), owner_(false) {
    FromString(src);
  }
  CefStringBase(const char* src) : string_(nullptr), owner_(false) {
    if (src)
      FromString(std::string(src));
  }
  CefStringBase(const std::wstring& src) : string_(nullptr), owner_(false) {
    FromWString(src);
  }
  CefStringBase(const wchar_t* src) : string_(nullptr), owner_(false) {
    if (src)
      FromWString(std::wstring(src));
  }
  CefStringBase(const base::string16& src) : string_(nullptr), owner_(false) {
    FromString16(src);
  }
  CefStringBase(const char16* src) : string_(nullptr), owner_(false) {
    if (src)
      FromString16(base::string16(src));
  }
  CefStringBase(const char_type* src, size_t src_len, bool copy)
      : string_(nullptr), owner_(false) {
    if (src && src_len > 0)
      FromString(src, src_len, copy);
  }
  // Refers to |src| without owning it: writes go to the structure itself.
  CefStringBase(const struct_type* src) : string_(nullptr), owner_(false) {
    if (src)
      Attach(const_cast<struct_type*>(src), false);
  }
  virtual ~CefStringBase() { ClearAndFree(); }

  const char_type* c_str() const { return string_ ? string_->str : nullptr; }
  size_t length() const { return string_ ? string_->length : 0; }
  size_t size() const { return length(); }
  bool empty() const { return !string_ || string_->length == 0; }

  int compare(const CefStringBase& str) const {
    if (empty() && str.empty())
      return 0;
    if (empty())
      return -1;
    if (str.empty())
      return 1;
    return traits::compare(string_, str.GetStruct());
  }

  void clear() {
    if (string_)
      traits::clear(string_);
  }

  void swap(CefStringBase& str) {
    struct_type* string = string_;
    bool owner = owner_;
    string_ = str.string_;
    owner_ = str.owner_;
    str.string_ = string;
    str.owner_ = owner;
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
    traits::userfree_free(str);
  }

  void Detach() {
    string_ = nullptr;
    owner_ = false;
  }

  userfree_struct_type DetachToUserFree() {
    if (empty())
      return nullptr;
    userfree_struct_type str = traits::userfree_alloc();
    memcpy(str, string_, sizeof(struct_type));
    memset(string_, 0, sizeof(struct_type));
    ClearAndFree();
    return str;
  }

  bool FromString(const char_type* src, size_t src_len, bool copy) {
    if (!src || src_len == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::set(src, src_len, string_, copy) != 0;
  }

  bool FromASCII(const char* str) {
    size_t len = str ? strlen(str) : 0;
    if (len == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_ascii(str, len, string_);
  }

  std::string ToString() const {
    if (empty())
      return std::string();
    return traits::to_string(string_);
  }

  bool FromString(const std::string& str) {
    if (str.empty()) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_string(str, string_);
  }

  std::wstring ToWString() const {
    if (empty())
      return std::wstring();
    return traits::to_wstring(string_);
  }

  bool FromWString(const std::wstring& str) {
    if (str.empty()) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_wstring(str, string_);
  }

  base::string16 ToString16() const {
    if (empty())
      return base::string16();
    return traits::to_string16(string_);
  }

  bool FromString16(const base::string16& str) {
    if (str.empty()) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_string16(str, string_);
  }

  bool operator<(const CefStringBase& str) const { return compare(str) < 0; }
  bool operator<=(const CefStringBase& str) const { return compare(str) <= 0; }
  bool operator>(const CefStringBase& str) const { return compare(str) > 0; }
  bool operator>=(const CefStringBase& str) const { return compare(str) >= 0; }
  bool operator==(const CefStringBase& str) const { return compare(str) == 0; }
  bool operator!=(const CefStringBase& str) const { return compare(str) != 0; }

  CefStringBase& operator=(const CefStringBase& str) {
    if (this != &str)
      FromString(str.c_str(), str.length(), true);
    return *this;
  }
  operator std::string() const { return ToString(); }
  CefStringBase& operator=(const std::string& str) {
    FromString(str);
    return *this;
  }
  // As CEF's, these take no null pointer.
  CefStringBase& operator=(const char* str) {
    FromString(std::string(str));
    return *this;
  }
  operator std::wstring() const { return ToWString(); }
  CefStringBase& operator=(const std::wstring& str) {
    FromWString(str);
    return *this;
  }
  CefStringBase& operator=(const wchar_t* str) {
    FromWString(std::wstring(str));
    return *this;
  }
  operator base::string16() const { return ToString16(); }
  CefStringBase& operator=(const base::string16& str) {
    FromString16(str);
    return *this;
  }
  CefStringBase& operator=(const char16* str) {
    FromString16(base::string16(str));
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

typedef CefStringBase<CefStringTraitsUTF16> CefStringUTF16;

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
