// C++ wrappers that own the strings inside CEF's plain structures.
#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_

#include <cstring>

#include "include/internal/cef_string.h"
#include "include/internal/cef_types.h"

// Starts all zero (with |size| set where the structure has one), copies its
// strings on copy and frees them on destruction.
template <class traits>
class CefStructBase : public traits::struct_type {
 public:
  typedef typename traits::struct_type struct_type;

  CefStructBase() : attached_to_(nullptr) { Init(); }
  virtual ~CefStructBase() {
    // Only clear this object's data if it isn't currently attached to a
    // structure.
    if (!attached_to_)
      Clear(this);
  }
  CefStructBase(const CefStructBase& r) {
    Init();
    *this = r;
  }
  CefStructBase(const struct_type& r) {
    Init();
    *this = r;
  }

  void Reset() {
    Clear(this);
    Init();
  }

  // Take (own) the contents of |source|, leaving it zeroed.
  void AttachTo(struct_type& source) {
    if (!attached_to_)
      Clear(this);
    attached_to_ = &source;
    memcpy(static_cast<struct_type*>(this), &source, sizeof(struct_type));
  }

  // Give the contents back to the structure attached with AttachTo().
  void DetachTo(struct_type& target) {
    if (attached_to_ != &target)
      Clear(&target);
    memcpy(&target, static_cast<struct_type*>(this), sizeof(struct_type));
    Init();
  }

  void Set(const struct_type& source, bool copy) {
    traits::set(&source, this, copy);
  }

  CefStructBase& operator=(const CefStructBase& s) {
    return operator=(static_cast<const struct_type&>(s));
  }
  CefStructBase& operator=(const struct_type& s) {
    if (&s != static_cast<const struct_type*>(this))
      Set(s, true);
    return *this;
  }

 protected:
  void Init() {
    struct_type* s = static_cast<struct_type*>(this);
    memset(s, 0, sizeof(struct_type));
    attached_to_ = nullptr;
    traits::init(s);
  }

  static void Clear(struct_type* s) { traits::clear(s); }

  struct_type* attached_to_;
};

namespace cef_internal {

// Copies one string field into another, replacing what it held.
inline void CopyStringField(const cef_string_t* src, cef_string_t* target,
                            bool copy) {
  cef_string_set(src->str, src->length, target, copy);
}

}  // namespace cef_internal

struct CefSettingsTraits {
  typedef cef_settings_t struct_type;

  static inline void init(struct_type* s) { s->size = sizeof(struct_type); }

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->browser_subprocess_path);
    cef_string_clear(&s->framework_dir_path);
    cef_string_clear(&s->cache_path);
    cef_string_clear(&s->user_data_path);
    cef_string_clear(&s->user_agent);
    cef_string_clear(&s->product_version);
    cef_string_clear(&s->locale);
    cef_string_clear(&s->log_file);
    cef_string_clear(&s->javascript_flags);
    cef_string_clear(&s->resources_dir_path);
    cef_string_clear(&s->locales_dir_path);
    cef_string_clear(&s->accept_language_list);
  }

  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    using cef_internal::CopyStringField;
    target->single_process = src->single_process;
    target->no_sandbox = src->no_sandbox;
    CopyStringField(&src->browser_subprocess_path,
                    &target->browser_subprocess_path, copy);
    CopyStringField(&src->framework_dir_path, &target->framework_dir_path,
                    copy);
    target->multi_threaded_message_loop = src->multi_threaded_message_loop;
    target->external_message_pump = src->external_message_pump;
    target->windowless_rendering_enabled = src->windowless_rendering_enabled;
    target->command_line_args_disabled = src->command_line_args_disabled;
    CopyStringField(&src->cache_path, &target->cache_path, copy);
    CopyStringField(&src->user_data_path, &target->user_data_path, copy);
    target->persist_session_cookies = src->persist_session_cookies;
    target->persist_user_preferences = src->persist_user_preferences;
    CopyStringField(&src->user_agent, &target->user_agent, copy);
    CopyStringField(&src->product_version, &target->product_version, copy);
    CopyStringField(&src->locale, &target->locale, copy);
    CopyStringField(&src->log_file, &target->log_file, copy);
    target->log_severity = src->log_severity;
    CopyStringField(&src->javascript_flags, &target->javascript_flags, copy);
    CopyStringField(&src->resources_dir_path, &target->resources_dir_path,
                    copy);
    CopyStringField(&src->locales_dir_path, &target->locales_dir_path, copy);
    target->pack_loading_disabled = src->pack_loading_disabled;
    target->remote_debugging_port = src->remote_debugging_port;
    target->uncaught_exception_stack_size = src->uncaught_exception_stack_size;
    target->ignore_certificate_errors = src->ignore_certificate_errors;
    target->enable_net_security_expiration =
        src->enable_net_security_expiration;
    target->background_color = src->background_color;
    CopyStringField(&src->accept_language_list, &target->accept_language_list,
                    copy);
  }
};

typedef CefStructBase<CefSettingsTraits> CefSettings;

struct CefBrowserSettingsTraits {
  typedef cef_browser_settings_t struct_type;

  static inline void init(struct_type* s) { s->size = sizeof(struct_type); }

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->standard_font_family);
    cef_string_clear(&s->fixed_font_family);
    cef_string_clear(&s->serif_font_family);
    cef_string_clear(&s->sans_serif_font_family);
    cef_string_clear(&s->cursive_font_family);
    cef_string_clear(&s->fantasy_font_family);
    cef_string_clear(&s->default_encoding);
    cef_string_clear(&s->accept_language_list);
  }

  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    using cef_internal::CopyStringField;
    // Plain fields first, then the strings, which must not be shared.
    clear(target);
    memcpy(target, src, sizeof(struct_type));
    memset(&target->standard_font_family, 0, sizeof(cef_string_t));
    memset(&target->fixed_font_family, 0, sizeof(cef_string_t));
    memset(&target->serif_font_family, 0, sizeof(cef_string_t));
    memset(&target->sans_serif_font_family, 0, sizeof(cef_string_t));
    memset(&target->cursive_font_family, 0, sizeof(cef_string_t));
    memset(&target->fantasy_font_family, 0, sizeof(cef_string_t));
    memset(&target->default_encoding, 0, sizeof(cef_string_t));
    memset(&target->accept_language_list, 0, sizeof(cef_string_t));
    CopyStringField(&src->standard_font_family, &target->standard_font_family,
                    copy);
    CopyStringField(&src->fixed_font_family, &target->fixed_font_family, copy);
    CopyStringField(&src->serif_font_family, &target->serif_font_family, copy);
    CopyStringField(&src->sans_serif_font_family,
                    &target->sans_serif_font_family, copy);
    CopyStringField(&src->cursive_font_family, &target->cursive_font_family,
                    copy);
    CopyStringField(&src->fantasy_font_family, &target->fantasy_font_family,
                    copy);
    CopyStringField(&src->default_encoding, &target->default_encoding, copy);
    CopyStringField(&src->accept_language_list, &target->accept_language_list,
                    copy);
  }
};

typedef CefStructBase<CefBrowserSettingsTraits> CefBrowserSettings;

struct CefPointTraits {
  typedef cef_point_t struct_type;

  static inline void init(struct_type* s) {}
  static inline void clear(struct_type* s) {}
  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    *target = *src;
  }
};

class CefPoint : public CefStructBase<CefPointTraits> {
 public:
  typedef CefStructBase<CefPointTraits> parent;

  CefPoint() : parent() {}
  CefPoint(const cef_point_t& r) : parent(r) {}
  CefPoint(const CefPoint& r) : parent(r) {}
  CefPoint(int x, int y) : parent() { Set(x, y); }

  bool IsEmpty() const { return x <= 0 && y <= 0; }
  void Set(int x_val, int y_val) { x = x_val, y = y_val; }
};

struct CefURLPartsTraits {
  typedef cef_urlparts_t struct_type;

  static inline void init(struct_type* s) {}

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->spec);
    cef_string_clear(&s->scheme);
    cef_string_clear(&s->username);
    cef_string_clear(&s->password);
    cef_string_clear(&s->host);
    cef_string_clear(&s->port);
    cef_string_clear(&s->origin);
    cef_string_clear(&s->path);
    cef_string_clear(&s->query);
  }

  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    using cef_internal::CopyStringField;
    CopyStringField(&src->spec, &target->spec, copy);
    CopyStringField(&src->scheme, &target->scheme, copy);
    CopyStringField(&src->username, &target->username, copy);
    CopyStringField(&src->password, &target->password, copy);
    CopyStringField(&src->host, &target->host, copy);
    CopyStringField(&src->port, &target->port, copy);
    CopyStringField(&src->origin, &target->origin, copy);
    CopyStringField(&src->path, &target->path, copy);
    CopyStringField(&src->query, &target->query, copy);
  }
};

typedef CefStructBase<CefURLPartsTraits> CefURLParts;

struct CefCookieTraits {
  typedef cef_cookie_t struct_type;

  static inline void init(struct_type* s) {}

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->name);
    cef_string_clear(&s->value);
    cef_string_clear(&s->domain);
    cef_string_clear(&s->path);
  }

  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    using cef_internal::CopyStringField;
    CopyStringField(&src->name, &target->name, copy);
    CopyStringField(&src->value, &target->value, copy);
    CopyStringField(&src->domain, &target->domain, copy);
    CopyStringField(&src->path, &target->path, copy);
    target->secure = src->secure;
    target->httponly = src->httponly;
    target->creation = src->creation;
    target->last_access = src->last_access;
    target->has_expires = src->has_expires;
    target->expires = src->expires;
  }
};

typedef CefStructBase<CefCookieTraits> CefCookie;

struct CefTimeTraits {
  typedef cef_time_t struct_type;

  static inline void init(struct_type* s) {}
  static inline void clear(struct_type* s) {}
  static inline void set(const struct_type* src, struct_type* target,
                         bool copy) {
    *target = *src;
  }
};

class CefTime : public CefStructBase<CefTimeTraits> {
 public:
  typedef CefStructBase<CefTimeTraits> parent;

  CefTime() : parent() {}
  CefTime(const cef_time_t& r) : parent(r) {}
  CefTime(const CefTime& r) : parent(r) {}
  explicit CefTime(time_t r) : parent() { SetTimeT(r); }
  explicit CefTime(double r) : parent() { SetDoubleT(r); }

  void SetTimeT(time_t r) { cef_time_from_timet(r, this); }
  time_t GetTimeT() const {
    time_t time = 0;
    cef_time_to_timet(this, &time);
    return time;
  }
  // Seconds since the epoch; 0 means "not set", as WebKit uses it.
  void SetDoubleT(double r) { cef_time_from_doublet(r, this); }
  double GetDoubleT() const {
    double time = 0;
    cef_time_to_doublet(this, &time);
    return time;
  }
  void Now() { cef_time_now(this); }
  // |other| minus this time, in milliseconds.
  long long Delta(const CefTime& other) {
    long long delta = 0;
    cef_time_delta(this, &other, &delta);
    return delta;
  }
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
