// CEF's time conversions, in UTC as Chromium's exploded times are.
#include <sys/time.h>

#include <cmath>

#include "include/internal/cef_time.h"

namespace {

// Milliseconds since the epoch; false for a null or unrepresentable time.
bool ToMilliseconds(const cef_time_t* time, long long* out) {
  if (!time)
    return false;
  struct tm exploded = {};
  exploded.tm_year = time->year - 1900;
  exploded.tm_mon = time->month - 1;
  exploded.tm_mday = time->day_of_month;
  exploded.tm_hour = time->hour;
  exploded.tm_min = time->minute;
  exploded.tm_sec = time->second;
  // -1 is also one second before the epoch; only the year tells them apart.
  time_t seconds = timegm(&exploded);
  if (seconds == static_cast<time_t>(-1) && time->year != 1969)
    return false;
  *out = static_cast<long long>(seconds) * 1000 + time->millisecond;
  return true;
}

bool FromMilliseconds(long long milliseconds, cef_time_t* out) {
  if (!out)
    return false;
  long long seconds = milliseconds / 1000;
  long long rest = milliseconds % 1000;
  if (rest < 0) {
    rest += 1000;
    --seconds;
  }
  time_t as_time_t = static_cast<time_t>(seconds);
  struct tm exploded;
  if (!gmtime_r(&as_time_t, &exploded))
    return false;
  out->year = exploded.tm_year + 1900;
  out->month = exploded.tm_mon + 1;
  out->day_of_week = exploded.tm_wday;
  out->day_of_month = exploded.tm_mday;
  out->hour = exploded.tm_hour;
  out->minute = exploded.tm_min;
  out->second = exploded.tm_sec;
  out->millisecond = static_cast<int>(rest);
  return true;
}

}  // namespace

int cef_time_to_timet(const cef_time_t* cef_time, time_t* time) {
  long long milliseconds = 0;
  if (!time || !ToMilliseconds(cef_time, &milliseconds))
    return 0;
  *time = static_cast<time_t>(milliseconds / 1000);
  return 1;
}

int cef_time_from_timet(time_t time, cef_time_t* cef_time) {
  return FromMilliseconds(static_cast<long long>(time) * 1000, cef_time);
}

int cef_time_to_doublet(const cef_time_t* cef_time, double* time) {
  long long milliseconds = 0;
  if (!time || !ToMilliseconds(cef_time, &milliseconds))
    return 0;
  *time = static_cast<double>(milliseconds) / 1000.0;
  return 1;
}

int cef_time_from_doublet(double time, cef_time_t* cef_time) {
  // Beyond this the year no longer fits the structure's int.
  constexpr double kLimitSeconds = 6.7e13;
  if (!std::isfinite(time) || std::fabs(time) > kLimitSeconds)
    return 0;
  return FromMilliseconds(std::llround(time * 1000.0), cef_time);
}

int cef_time_now(cef_time_t* cef_time) {
  struct timeval now;
  gettimeofday(&now, nullptr);
  return FromMilliseconds(
      static_cast<long long>(now.tv_sec) * 1000 + now.tv_usec / 1000, cef_time);
}

int cef_time_delta(const cef_time_t* cef_time1, const cef_time_t* cef_time2,
                   long long* delta) {
  long long first = 0;
  long long second = 0;
  if (!delta || !ToMilliseconds(cef_time1, &first) ||
      !ToMilliseconds(cef_time2, &second))
    return 0;
  *delta = second - first;
  return 1;
}
