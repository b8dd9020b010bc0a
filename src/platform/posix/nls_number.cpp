// GetNumberFormatA for what keltro asks of it: a whole number ("-1234") laid
// out by an explicit format with no fraction digits, groups of one size, and
// the negative form 0 "(1,234)" or 1 "-1,234". Other values and formats fail
// with ERROR_INVALID_PARAMETER, flags beside a format with ERROR_INVALID_FLAGS.
#include <cstring>

#include "platform/posix/nls_result.h"

namespace {

bool IsSupportedFormat(const NUMBERFMTA* format) {
  return format && format->NumDigits == 0 && format->LeadingZero <= 1 && format->Grouping <= 9 &&
         format->NegativeOrder <= 1 && format->lpDecimalSep && format->lpThousandSep;
}

}  // namespace

int GetNumberFormatA(LCID Locale, DWORD dwFlags, LPCSTR lpValue, const NUMBERFMTA* lpFormat,
                     LPSTR lpNumberStr, int cchNumber) {
  if (lpFormat && dwFlags) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  bool negative = lpValue && *lpValue == '-';
  const char* digits = lpValue ? lpValue + negative : "";
  size_t count = strspn(digits, "0123456789");
  if (!IsSupportedFormat(lpFormat) || count == 0 || digits[count] != '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  while (count > 1 && *digits == '0') ++digits, --count;  // "000" is 0
  const char* separator = lpFormat->lpThousandSep;
  size_t separatorLength = strlen(separator);
  size_t group = lpFormat->Grouping;
  bool parentheses = negative && lpFormat->NegativeOrder == 0;
  size_t length = count + (group ? (count - 1) / group * separatorLength : 0) + negative + parentheses;
  if (cchNumber == 0) return (int)length + 1;
  if (!HasRoomFor(length, lpNumberStr, cchNumber)) return 0;
  char* p = lpNumberStr;
  if (negative) *p++ = parentheses ? '(' : '-';
  size_t untilSeparator = group ? (count - 1) % group + 1 : count;  // digits before the next separator
  for (size_t i = 0; i < count; ++i, --untilSeparator) {
    if (untilSeparator == 0) {
      memcpy(p, separator, separatorLength);
      p += separatorLength;
      untilSeparator = group;
    }
    *p++ = digits[i];
  }
  if (parentheses) *p++ = ')';
  *p = '\0';
  return (int)length + 1;
}
