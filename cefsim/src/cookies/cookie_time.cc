#include "cookies/cookie_time.h"

#include <ctime>

namespace cefsim {

bool CefTimeToTimePoint(const cef_time_t& time, CookieClock::time_point* out) {
  if (time.month < 1 || time.month > 12 || time.day_of_month < 1 ||
      time.day_of_month > 31 || time.day_of_week < 0 || time.day_of_week > 6 ||
      time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 ||
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
  // timegm normalises a day that does not exist (February 30) into the next
  // month; such a date is refused.
  if (exploded.tm_mday != time.day_of_month ||
      exploded.tm_mon != time.month - 1)
    return false;
  *out = CookieClock::from_time_t(seconds) +
         std::chrono::milliseconds(time.millisecond);
  return true;
}

cef_time_t CefTimeFromTimePoint(CookieClock::time_point point) {
  std::time_t seconds = CookieClock::to_time_t(point);
  // to_time_t may round; take the milliseconds from what it kept.
  auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
      point - CookieClock::from_time_t(seconds));
  if (rest.count() < 0) {
    --seconds;
    rest += std::chrono::seconds(1);
  }
  std::tm exploded = {};
  gmtime_r(&seconds, &exploded);
  cef_time_t time = {};
  time.year = exploded.tm_year + 1900;
  time.month = exploded.tm_mon + 1;
  time.day_of_week = exploded.tm_wday;
  time.day_of_month = exploded.tm_mday;
  time.hour = exploded.tm_hour;
  time.minute = exploded.tm_min;
  time.second = exploded.tm_sec;
  time.millisecond = static_cast<int>(rest.count());
  return time;
}

}  // namespace cefsim
