#include <cstring>

#include "output/value_text.h"
#include "base/bounded_text.h"
#include "base/time_value.h"
#include "platform/win32.h"

constexpr int PictureCapacity = 16;

// The picture in variable, or fallback when it is unset, empty, or too long
// for its 16-byte buffer.
static void ReadPicture(const char* variable, const char* fallback, char* picture) {
  DWORD length = GetEnvironmentVariableA(variable, picture, PictureCapacity);
  if (length == 0 || length >= PictureCapacity) CopyText(picture, PictureCapacity, fallback);
}

static bool IsWithinCentury(const SYSTEMTIME& time) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int difference = (int)time.wYear - (int)now.wYear;
  return difference <= 99 && difference >= -99;
}

void RenderFileTime(uint64_t fileTime, char* text) {
  FILETIME value = FileTimeOf(fileTime);
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&value, &time) || !IsWithinCentury(time)) {
    CopyText(text, TimeTextCapacity, "never");
    return;
  }
  char picture[PictureCapacity];
  ReadPicture("QX_DATE_FORMAT", "dd.MM.yyyy ", picture);
  if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, text, TimeTextCapacity / 2) == 0)
    text[0] = '\0';
  ReadPicture("QX_TIME_FORMAT", "HH:mm", picture);
  size_t dateLength = strnlen(text, TimeTextCapacity / 2);
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, text + dateLength, TimeTextCapacity / 2) == 0)
    text[dateLength] = '\0';
}
