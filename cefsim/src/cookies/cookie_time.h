// Between CEF's exploded UTC times and the clock the store keeps.
#ifndef CEFSIM_SRC_COOKIES_COOKIE_TIME_H_
#define CEFSIM_SRC_COOKIES_COOKIE_TIME_H_

#include <chrono>

#include "include/internal/cef_time.h"

namespace cefsim {

// Microseconds, as Chromium counts: a nanosecond clock would overflow for
// expiry dates past 2262.
using CookieTime = std::chrono::time_point<std::chrono::system_clock,
                                           std::chrono::microseconds>;

CookieTime CookieNow();
// False, as for base::Time::FromUTCExploded, when a field is out of range
// or the date does not exist (an all-zero time among them).
bool CefTimeToCookieTime(const cef_time_t& time, CookieTime* out);
cef_time_t CefTimeFromCookieTime(CookieTime time);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_COOKIE_TIME_H_
