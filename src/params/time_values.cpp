// Absolute and relative times typed by the user, turned into local time
// values (100-ns units since 1601 on the local wall clock).
#include "params/time_values.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/ascii_case.h"
#include "base/bounded_text.h"
#include "platform/win32.h"
#include "output/standard_output.h"
#include "output/text_columns.h"

namespace {

constexpr int TimeTextCapacity = 32;  // a time text is read up to 31 characters
constexpr uint64_t TicksPerMillisecond = 10000;
constexpr uint64_t TicksPerSecond = 10000000;
constexpr uint64_t TicksPerMinute = 600000000;
constexpr uint64_t MinutesPerHour = 60;
constexpr uint64_t MinutesPerDay = 1440;
// The latest time a file time can hold; later offsets are refused.
constexpr uint64_t LatestTime = INT64_MAX;

// Cuts `text` in place at its first blank into a leading and a trailing
// part. Without a blank the whole text is the trailing part when it holds a
// ':', else the leading part; the missing part is null.
void SplitAtBlank(char* text, char** leading, char** trailing) {
  char* blank = strchr(text, ' ');
  *leading = *trailing = nullptr;
  if (blank) {
    *blank = '\0';
    *leading = text;
    *trailing = blank + 1;
  } else if (strchr(text, ':')) {
    *trailing = text;
  } else {
    *leading = text;
  }
}

// The first character that is neither a digit nor `separator`, or 0.
const char* FirstInvalid(const char* text, char separator) {
  for (; *text; ++text)
    if ((*text < '0' || *text > '9') && *text != separator) return text;
  return nullptr;
}

// Reads up to `count` decimal fields separated by `separator`. A field the
// text does not reach keeps its value; a present but empty one gives 0.
// Returns false when a number exceeds 64 bits (it is then kept modulo 2^64,
// so a 16-bit field still receives its value modulo 2^16).
bool ReadFields(const char* text, char separator, uint64_t* fields, int count) {
  bool fits = true;
  for (int i = 0; i < count && *text; ++i) {
    uint64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
      unsigned digit = (unsigned)(*text - '0');
      if (value > (UINT64_MAX - digit) / 10) fits = false;
      value = value * 10 + digit;
    }
    if (*text && *text == separator) ++text;
    fields[i] = value;
  }
  return fits;
}

// Date part: month/day/year or day.month.year; fields left out keep today's.
bool ReadDate(const char* part, SYSTEMTIME* time) {
  char separator = strchr(part, '/') ? '/' : strchr(part, '.') ? '.' : '\0';
  if (!separator) {
    PrintError("invalid date '%s'\n", part);
    return false;
  }
  if (const char* bad = FirstInvalid(part, separator)) {
    PrintError("invalid character '%.*s' in date '%s'\n", FirstCharLength(bad), bad, part);
    return false;
  }
  WORD* order[3] = {&time->wDay, &time->wMonth, &time->wYear};
  if (separator == '/') order[0] = &time->wMonth, order[1] = &time->wDay;
  uint64_t fields[3] = {*order[0], *order[1], *order[2]};
  ReadFields(part, separator, fields, 3);
  for (int i = 0; i < 3; ++i) *order[i] = (WORD)fields[i];
  return true;
}

// Time part: hour:minute:second:millisecond, missing fields 0.
bool ReadClock(const char* part, SYSTEMTIME* time) {
  if (const char* bad = FirstInvalid(part, ':')) {
    PrintError("invalid character '%.*s' in time '%s'\n", FirstCharLength(bad), bad, part);
    return false;
  }
  uint64_t fields[4] = {0, 0, 0, 0};
  ReadFields(part, ':', fields, 4);
  time->wHour = (WORD)fields[0];
  time->wMinute = (WORD)fields[1];
  time->wSecond = (WORD)fields[2];
  time->wMilliseconds = (WORD)fields[3];
  return true;
}

void PrintOutOfBounds(const char* text) { PrintError("invalid date / time '%s' (out of bounds)\n", text); }

// sum += count * unit, false when that leaves 64 bits.
bool AddProduct(uint64_t* sum, uint64_t count, uint64_t unit) {
  if (count != 0 && unit > (UINT64_MAX - *sum) / count) return false;
  *sum += count * unit;
  return true;
}

// The offset of days and hour:minute:second:millisecond in 100-ns units,
// computed in 64 bits throughout; false when it does not fit.
bool OffsetTicks(uint64_t days, const uint64_t clock[4], uint64_t* ticks) {
  *ticks = 0;
  return AddProduct(ticks, days, MinutesPerDay * TicksPerMinute) &&
         AddProduct(ticks, clock[0], MinutesPerHour * TicksPerMinute) &&
         AddProduct(ticks, clock[1], TicksPerMinute) && AddProduct(ticks, clock[2], TicksPerSecond) &&
         AddProduct(ticks, clock[3], TicksPerMillisecond);
}

uint64_t PresentLocalTime() {
  SYSTEMTIME now;
  FILETIME time;
  GetLocalTime(&now);
  SystemTimeToFileTime(&now, &time);
  return TimeValueOf(time);
}

// now moved by the offset: back (direction < 0), forward (> 0) or not at
// all; false when the result leaves the file-time range (after 1601,
// up to LatestTime).
bool ShiftTime(uint64_t now, int direction, uint64_t offset, TimeValue* target) {
  if (direction < 0) {
    if (offset >= now) return false;
    *target = now - offset;
  } else if (direction > 0) {
    if (offset > LatestTime - now) return false;
    *target = now + offset;
  } else {
    *target = now;
  }
  return true;
}

}  // namespace

int ParseAbsTime(const char* text, TimeValue* target) {
  if (SameWordIgnoringCase(text, "NEVER")) {
    *target = TimeNever;
    return 1;
  }
  if (text[0] == 'd' || text[0] == 'D') return ParseDeltaTime(text, target);

  char whole[TimeTextCapacity], work[TimeTextCapacity];
  CopyText(whole, text);
  CopyText(work, whole);
  char *datePart, *timePart;
  SplitAtBlank(work, &datePart, &timePart);

  SYSTEMTIME time;
  GetLocalTime(&time);
  time.wHour = time.wMinute = time.wSecond = time.wMilliseconds = 0;
  if (datePart && !ReadDate(datePart, &time)) return 0;
  if (timePart && !ReadClock(timePart, &time)) return 0;

  FILETIME value;
  if (!SystemTimeToFileTime(&time, &value)) {
    PrintOutOfBounds(whole);
    return 0;
  }
  *target = TimeValueOf(value);
  return 1;
}

// A first character other than d or D gives the present time; the offset
// behind it is still read, so a stray character in it is reported.
int ParseDeltaTime(const char* text, TimeValue* target) {
  int direction = text[0] == 'd' ? -1 : text[0] == 'D' ? 1 : 0;
  char whole[TimeTextCapacity], offset[TimeTextCapacity];
  CopyText(whole, text);
  CopyText(offset, text[0] ? text + 1 : text);
  char *daysPart, *timePart;
  SplitAtBlank(offset, &daysPart, &timePart);

  uint64_t days = 0, clock[4] = {0, 0, 0, 0};
  bool fits = true;
  if (daysPart) {
    if (const char* bad = FirstInvalid(daysPart, '\0')) {
      PrintError("invalid character '%.*s' in days '%s'\n", FirstCharLength(bad), bad, daysPart);
      return 0;
    }
    fits = ReadFields(daysPart, '\0', &days, 1);
  }
  if (timePart) {
    if (const char* bad = FirstInvalid(timePart, ':')) {
      PrintError("invalid character '%.*s' in time '%s'\n", FirstCharLength(bad), bad, timePart);
      return 0;
    }
    fits = ReadFields(timePart, ':', clock, 4) && fits;
  }
  uint64_t ticks;
  if (!fits || !OffsetTicks(days, clock, &ticks) || !ShiftTime(PresentLocalTime(), direction, ticks, target)) {
    PrintOutOfBounds(whole);
    return 0;
  }
  return 1;
}
