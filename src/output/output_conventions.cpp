// What numbers and times are rendered by, read once into Run.
#include "base/bounded_text.h"
#include "base/run_values.h"
#include "output/value_text.h"
#include "platform/win32.h"

namespace {

// The picture in variable, or fallback when it is unset, empty, or too long
// for its 16-byte buffer.
void ReadPicture(const char* variable, const char* fallback, char (&picture)[PictureCapacity]) {
  DWORD length = GetEnvironmentVariableA(variable, picture, PictureCapacity);
  if (length == 0 || length >= PictureCapacity) CopyText(picture, fallback);
}

}  // namespace

void ReadOutputConventions(void) {
  char separator[4];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) > 0)
    CopyText(Run.ThousandsSeparator, separator);
  ReadPicture("QX_DATE_FORMAT", "dd.MM.yyyy ", Run.DatePicture);
  ReadPicture("QX_TIME_FORMAT", "HH:mm", Run.TimePicture);
  SYSTEMTIME now;
  GetLocalTime(&now);
  Run.CurrentYear = now.wYear;
}
