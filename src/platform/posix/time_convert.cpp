// File times (100-ns units since 1601-01-01), broken-down times, the present
// time, and local time by the TZ rules in force at each instant.
#include <time.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <string>
#include <cstdint>
#include <limits>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/nls_calendar.h"

namespace {

constexpr int64_t TicksPerMillisecond = 10000;
constexpr int64_t TicksPerSecond = 10000000;
constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t TicksPerDay = SecondsPerDay * TicksPerSecond;
constexpr int64_t DaysTo1970 = 134774;  // 1601-01-01 to 1970-01-01
constexpr int64_t MaxFileTime = INT64_MAX;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1601-01-01 of a Gregorian date (the civil-days algorithm
// counted from 1970, shifted).
int64_t DaysFromDate(int year, int month, int day) {
  year -= month <= 2;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + DaysTo1970;
}

void DateFromDays(int64_t days, SYSTEMTIME* time) {
  int64_t z = days - DaysTo1970 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  int month = (int)(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  time->wYear = (WORD)(yearOfEra + era * 400 + (month <= 2));
  time->wMonth = (WORD)month;
  time->wDay = (WORD)(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  time->wDayOfWeek = (WORD)((days + 1) % 7);  // 1601-01-01 was a Monday
}

int64_t TicksOf(const FILETIME* time) { return (int64_t)FromFileTime(*time); }

bool IsFileTimeInRange(const FILETIME* time) { return time->dwHighDateTime <= 0x7FFFFFFF; }

void SetTicks(int64_t ticks, FILETIME* time) {
  *time = ToFileTime(ticks < 0 ? 0 : (uint64_t)ticks);
}

BOOL InvalidParameter() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// The UTC offset, in seconds, that the TZ rules give at an instant (seconds
// since 1970, UTC). Instants beyond what time_t holds take the offset of the
// nearest one it holds.
int64_t OffsetAt(int64_t unixSeconds) {
  constexpr int64_t earliest = std::numeric_limits<time_t>::min();
  constexpr int64_t latest = std::numeric_limits<time_t>::max();
  time_t instant = (time_t)(unixSeconds < earliest ? earliest : unixSeconds > latest ? latest : unixSeconds);
  struct tm local;
  if (!localtime_r(&instant, &local)) return 0;
  return local.tm_gmtoff;
}

// The offsets of a few hours (of UTC), each found the same at the hour's
// first and last second: the rules change the offset at most once in an
// hour, so it holds for the whole hour. An hour with a change is not kept
// and each instant in it is asked for. Let go of when the TZ rules are read.
struct HourOffset {
  bool known = false;
  int64_t hour = 0;
  int64_t offset = 0;
};
std::array<HourOffset, 16> HourOffsets;

int64_t CachedOffsetAt(int64_t unixSeconds) {
  int64_t hour = unixSeconds / 3600 - (unixSeconds % 3600 < 0);
  HourOffset& slot = HourOffsets[(uint64_t)hour % HourOffsets.size()];
  if (slot.known && slot.hour == hour) return slot.offset;
  int64_t offset = OffsetAt(hour * 3600);
  if (OffsetAt(hour * 3600 + 3599) != offset) return OffsetAt(unixSeconds);
  slot = {true, hour, offset};
  return offset;
}

int64_t UnixSecondsOf(int64_t ticks) { return ticks / TicksPerSecond - DaysTo1970 * SecondsPerDay; }

// The offset to subtract from a local wall-clock time to get UTC. Of a time
// the clocks pass twice (autumn), the earlier instant; of a time they skip
// (spring), the offset in force before the change.
int64_t OffsetForLocal(int64_t localSeconds) {
  int64_t before = OffsetAt(localSeconds - SecondsPerDay);
  int64_t after = OffsetAt(localSeconds + SecondsPerDay);
  bool beforeFits = OffsetAt(localSeconds - before) == before;
  bool afterFits = OffsetAt(localSeconds - after) == after;
  if (beforeFits && afterFits) return before > after ? before : after;  // earlier instant
  if (afterFits) return after;
  return before;
}

int64_t PresentTicks() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  int64_t seconds = (int64_t)now.tv_sec + DaysTo1970 * SecondsPerDay;
  return seconds * TicksPerSecond + now.tv_nsec / 100;
}

}  // namespace

bool IsValidSystemDate(const SYSTEMTIME& time) {
  return time.wYear >= 1601 && time.wYear <= 30827 && time.wMonth >= 1 && time.wMonth <= 12 &&
         time.wDay >= 1 && time.wDay <= DaysInMonth(time.wYear, time.wMonth);
}

bool IsValidSystemClock(const SYSTEMTIME& time) {
  return time.wHour <= 23 && time.wMinute <= 59 && time.wSecond <= 59 && time.wMilliseconds <= 999;
}

int DayOfWeek(int year, int month, int day) { return (int)((DaysFromDate(year, month, day) + 1) % 7); }

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (!lpFileTime || !lpSystemTime || !IsFileTimeInRange(lpFileTime)) return InvalidParameter();
  int64_t ticks = TicksOf(lpFileTime);
  int64_t ofDay = ticks % TicksPerDay;
  DateFromDays(ticks / TicksPerDay, lpSystemTime);
  lpSystemTime->wHour = (WORD)(ofDay / (3600 * TicksPerSecond));
  lpSystemTime->wMinute = (WORD)(ofDay / (60 * TicksPerSecond) % 60);
  lpSystemTime->wSecond = (WORD)(ofDay / TicksPerSecond % 60);
  lpSystemTime->wMilliseconds = (WORD)(ofDay / TicksPerMillisecond % 1000);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  if (!lpSystemTime || !lpFileTime || !IsValidSystemDate(*lpSystemTime) || !IsValidSystemClock(*lpSystemTime))
    return InvalidParameter();
  const SYSTEMTIME& t = *lpSystemTime;
  int64_t seconds = DaysFromDate(t.wYear, t.wMonth, t.wDay) * SecondsPerDay + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
  SetTicks(seconds * TicksPerSecond + t.wMilliseconds * TicksPerMillisecond, lpFileTime);
  return TRUE;
}

// Reads the time-zone rules once, as the layer reads its other settings
// (ResetLayerState makes the next conversion read them again): tzset on every
// call would stat /etc/localtime, and even the look-up of TZ in the
// environment costs more than a conversion whose hour is kept.
static void FollowTimeZone() {
  if (Layer.timeZoneRead) return;
  tzset();
  HourOffsets.fill({});
  Layer.timeZoneRead = true;
}

// Results that would fall before 1601 or beyond the file-time range are held
// at its ends.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
  if (!lpFileTime || !lpLocalFileTime || !IsFileTimeInRange(lpFileTime)) return InvalidParameter();
  FollowTimeZone();
  int64_t ticks = TicksOf(lpFileTime);
  int64_t offset = CachedOffsetAt(UnixSecondsOf(ticks)) * TicksPerSecond;
  SetTicks(offset > 0 && ticks > MaxFileTime - offset ? MaxFileTime : ticks + offset, lpLocalFileTime);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
  if (!lpLocalFileTime || !lpFileTime || !IsFileTimeInRange(lpLocalFileTime)) return InvalidParameter();
  FollowTimeZone();
  int64_t ticks = TicksOf(lpLocalFileTime);
  int64_t offset = OffsetForLocal(UnixSecondsOf(ticks)) * TicksPerSecond;
  SetTicks(offset < 0 && ticks > MaxFileTime + offset ? MaxFileTime : ticks - offset, lpFileTime);
  return TRUE;
}

LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
  uint64_t first = FromFileTime(*lpFileTime1), second = FromFileTime(*lpFileTime2);
  return first < second ? -1 : first > second ? 1 : 0;
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
  FILETIME now;
  SetTicks(PresentTicks(), &now);
  FileTimeToSystemTime(&now, lpSystemTime);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  FILETIME now, local;
  SetTicks(PresentTicks(), &now);
  FileTimeToLocalFileTime(&now, &local);
  FileTimeToSystemTime(&local, lpSystemTime);
}
