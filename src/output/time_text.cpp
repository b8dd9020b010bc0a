#include <cstring>

#include "output/value_text.h"
#include "base/bounded_text.h"
#include "base/run_values.h"
#include "base/time_value.h"
#include "platform/win32.h"

// The current year is read once (ReadOutputConventions): a run does not
// outlast the century that "never" is measured against.
static bool IsWithinCentury(const SYSTEMTIME& time) {
  int difference = (int)time.wYear - Run.CurrentYear;
  return difference <= 99 && difference >= -99;
}

void RenderFileTime(uint64_t fileTime, char* text) {
  FILETIME value = FileTimeOf(fileTime);
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&value, &time) || !IsWithinCentury(time)) {
    CopyText(text, TimeTextCapacity, "never");
    return;
  }
  if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, Run.DatePicture, text, TimeTextCapacity / 2) == 0)
    text[0] = '\0';
  size_t dateLength = strnlen(text, TimeTextCapacity / 2);
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, Run.TimePicture, text + dateLength, TimeTextCapacity / 2) == 0)
    text[dateLength] = '\0';
}
