// Between CEF's exploded UTC times and the clock the store keeps.
#ifndef CEFSIM_SRC_COOKIES_COOKIE_TIME_H_
#define CEFSIM_SRC_COOKIES_COOKIE_TIME_H_

#include <chrono>

#include "include/internal/cef_time.h"

namespace cefsim {

using CookieClock = std::chrono::system_clock;

// False, as for base::Time::FromUTCExploded, when a field is out of range
// or the date does not exist (an all-zero time among them).
bool CefTimeToTimePoint(const cef_time_t& time, CookieClock::time_point* out);
cef_time_t CefTimeFromTimePoint(CookieClock::time_point point);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_COOKIE_TIME_H_
