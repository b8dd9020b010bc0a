// GetDateFormatA and GetTimeFormatA with the picture keltro passes (d dd ddd
// dddd M MM MMM MMMM y yy yyyy for dates; h hh H HH m mm s ss t tt for times;
// text in single quotes, '' for a quote; other characters as they are). No
// picture, or flags other than LOCALE_NOUSEROVERRIDE, fail.
#include <cstdio>
#include <string>

#include "platform/posix/nls_calendar.h"
#include "platform/posix/nls_locale.h"
#include "platform/posix/nls_result.h"

namespace {

enum PictureKind { DatePicture, ClockPicture };

// Appends a number with (count 2) or without (count 1) a leading zero, its
// digits written directly (this runs for every field of every time shown).
void AppendNumber(std::string* out, unsigned value, int count) {
  char text[16];
  char* end = text + sizeof text;
  char* p = end;
  do {
    *--p = (char)('0' + value % 10);
    value /= 10;
  } while (value);
  if (count >= 2 && end - p < 2) *--p = '0';
  out->append(p, (size_t)(end - p));
}

void AppendDateField(std::string* out, char letter, int count, const SYSTEMTIME& time) {
  switch (letter) {
    case 'd':
      if (count <= 2) return AppendNumber(out, time.wDay, count);
      *out += DayName(DayOfWeek(time.wYear, time.wMonth, time.wDay), count == 3);
      return;
    case 'M':
      if (count <= 2) return AppendNumber(out, time.wMonth, count);
      *out += MonthName(time.wMonth, count == 3);
      return;
    default:  // 'y'
      if (count <= 2) return AppendNumber(out, time.wYear % 100, count);
      return AppendNumber(out, time.wYear, 1);
  }
}

void AppendClockField(std::string* out, char letter, int count, const SYSTEMTIME& time) {
  switch (letter) {
    case 'h': {
      unsigned hour = time.wHour % 12;
      return AppendNumber(out, hour == 0 ? 12 : hour, count);
    }
    case 'H': return AppendNumber(out, time.wHour, count);
    case 'm': return AppendNumber(out, time.wMinute, count);
    case 's': return AppendNumber(out, time.wSecond, count);
    default: {  // 't': one letter gives the marker's first character
      std::string marker = TimeMarker(time.wHour >= 12);
      *out += count == 1 ? marker.substr(0, 1) : marker;
      return;
    }
  }
}

bool IsFieldLetter(char c, PictureKind kind) {
  if (kind == DatePicture) return c == 'd' || c == 'M' || c == 'y';
  return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
}

// Copies quoted text (from behind its opening quote) and returns where the
// picture goes on; '' stands for one quote, inside quotes and out.
const char* CopyQuoted(const char* p, std::string* out) {
  if (*p == '\'') {
    *out += '\'';
    return p + 1;
  }
  for (; *p; ++p) {
    if (*p == '\'') {
      if (p[1] != '\'') return p + 1;
      ++p;
    }
    *out += *p;
  }
  return p;
}

// Expands the picture into out (emptied first).
void ExpandPicture(const char* picture, const SYSTEMTIME& time, PictureKind kind, std::string* out) {
  out->clear();
  for (const char* p = picture; *p;) {
    if (*p == '\'') {
      p = CopyQuoted(p + 1, out);
      continue;
    }
    if (!IsFieldLetter(*p, kind)) {
      *out += *p++;
      continue;
    }
    char letter = *p;
    int count = 0;
    while (*p == letter) ++p, ++count;
    if (kind == DatePicture) AppendDateField(out, letter, count, time);
    else AppendClockField(out, letter, count, time);
  }
}

// The time asked for, or the present local time when none is given.
void FillTime(const SYSTEMTIME* given, SYSTEMTIME* time) {
  if (given) *time = *given;
  else GetLocalTime(time);
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Both: the time given, or the present local time; the picture is required.
int FormatTime(DWORD flags, const SYSTEMTIME* given, LPCSTR picture, PictureKind kind, LPSTR out,
               int capacity) {
  if (flags & ~LOCALE_NOUSEROVERRIDE) return Fail(ERROR_INVALID_FLAGS);
  SYSTEMTIME time;
  FillTime(given, &time);
  bool valid = kind == DatePicture ? IsValidSystemDate(time) : IsValidSystemClock(time);
  if (!picture || !valid) return Fail(ERROR_INVALID_PARAMETER);
  static std::string text;  // kept between calls: every line of a listing shows times
  ExpandPicture(picture, time, kind, &text);
  return ReturnText(text.data(), text.size(), out, capacity);
}

}  // namespace

int GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                   LPSTR lpDateStr, int cchDate) {
  return FormatTime(dwFlags, lpDate, lpFormat, DatePicture, lpDateStr, cchDate);
}

int GetTimeFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat,
                   LPSTR lpTimeStr, int cchTime) {
  return FormatTime(dwFlags, lpTime, lpFormat, ClockPicture, lpTimeStr, cchTime);
}
