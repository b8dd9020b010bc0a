#include <cstring>

#include "output/value_text.h"
#include "params/bounded_text.h"
#include "platform/win32.h"

constexpr int PictureCapacity = 16;

static char DatePicture[PictureCapacity];
static char TimePicture[PictureCapacity];
static bool PicturesRead = false;

// The picture in variable, or fallback when it is unset, empty, or too long
// for its 16-byte buffer.
static void ReadPicture(const char* variable, const char* fallback, char* picture) {
  DWORD length = GetEnvironmentVariableA(variable, picture, PictureCapacity);
  if (length == 0 || length >= PictureCapacity) CopyText(picture, PictureCapacity, fallback);
}

void ReadTimePictures(void) {
  ReadPicture("QX_DATE_FORMAT", "dd.MM.yyyy ", DatePicture);
  ReadPicture("QX_TIME_FORMAT", "HH:mm", TimePicture);
  PicturesRead = true;
}

// The current year is read once: a run does not outlast the century that
// "never" is measured against.
static bool IsWithinCentury(const SYSTEMTIME& time) {
  static int currentYear = 0;
  if (currentYear == 0) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    currentYear = now.wYear;
  }
  int difference = (int)time.wYear - currentYear;
  return difference <= 99 && difference >= -99;
}

void RenderFileTime(uint64_t fileTime, char* text) {
  FILETIME value;
  value.dwLowDateTime = (DWORD)fileTime;
  value.dwHighDateTime = (DWORD)(fileTime >> 32);
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&value, &time) || !IsWithinCentury(time)) {
    CopyText(text, TimeTextCapacity, "never");
    return;
  }
  if (!PicturesRead) ReadTimePictures();
  if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, DatePicture, text, TimeTextCapacity / 2) == 0)
    text[0] = '\0';
  size_t dateLength = strnlen(text, TimeTextCapacity / 2);
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, TimePicture, text + dateLength, TimeTextCapacity / 2) == 0)
    text[dateLength] = '\0';
}
