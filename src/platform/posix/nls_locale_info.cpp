// GetLocaleInfoA for what keltro asks of it: LOCALE_STHOUSAND, the user
// locale's thousands separator, or the Win32 invariant "," where LC_NUMERIC
// has none. Other items fail with ERROR_INVALID_FLAGS.
#include <cstring>

#include "platform/posix/nls_locale.h"
#include "platform/posix/nls_result.h"

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
  if ((LCType & ~LOCALE_NOUSEROVERRIDE) != LOCALE_STHOUSAND) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const char* separator = UserLocaleText(THOUSEP);
  if (!*separator) separator = ",";
  return ReturnText(separator, strlen(separator), lpLCData, cchData);
}
