#include "cefsim/src/cookies/cookie_time.h"

#include <ctime>

namespace cefsim {

CookieTime CookieNow() {
  return std::chrono::time_point_cast<std::chrono::microseconds>(
      std::chrono::system_clock::now());
}

bool CefTimeToCookieTime(const cef_time_t& time, CookieTime* out) {
  // The years a Windows SYSTEMTIME, and so CEF on the target, can hold.
  if (time.year < 1601 || time.year > 30827 || time.month < 1 ||
      time.month > 12 || time.day_of_month < 1 || time.day_of_month > 31 ||
      time.day_of_week < 0 || time.day_of_week > 6 || time.hour < 0 ||
      time.hour > 23 || time.minute < 0 || time.minute > 59 ||
      time.second < 0 || time.second > 60 || time.millisecond < 0 ||
      time.millisecond > 999)
    return false;
  std::tm exploded = {};
  exploded.tm_year = time.year - 1900;
  exploded.tm_mon = time.month - 1;
  exploded.tm_mday = time.day_of_month;
  exploded.tm_hour = time.hour;
  exploded.tm_min = time.minute;
  exploded.tm_sec = time.second;
  std::time_t seconds = timegm(&exploded);
  // timegm moves a day that does not exist (February 30) into the next
  // month; such a date is refused.
  if (exploded.tm_mday != time.day_of_month ||
      exploded.tm_mon != time.month - 1)
    return false;
  *out = CookieTime(std::chrono::seconds(seconds) +
                    std::chrono::milliseconds(time.millisecond));
  return true;
}

cef_time_t CefTimeFromCookieTime(CookieTime time) {
  auto seconds =
      std::chrono::floor<std::chrono::seconds>(time.time_since_epoch());
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
      time.time_since_epoch() - seconds);
  std::time_t whole = static_cast<std::time_t>(seconds.count());
  std::tm exploded = {};
  gmtime_r(&whole, &exploded);
  cef_time_t result = {};
  result.year = exploded.tm_year + 1900;
  result.month = exploded.tm_mon + 1;
  result.day_of_week = exploded.tm_wday;
  result.day_of_month = exploded.tm_mday;
  result.hour = exploded.tm_hour;
  result.minute = exploded.tm_min;
  result.second = exploded.tm_sec;
  result.millisecond = static_cast<int>(milliseconds.count());
  return result;
}

}  // namespace cefsim
