#include <charconv>
#include <cstdio>
#include <cstring>

#include "output/value_text.h"
#include "base/bounded_text.h"
#include "base/run_values.h"
#include "platform/win32.h"

// Groups the plain number in digits into text; digits as they are when the
// locale refuses them.
static void GroupDigits(const char* digits, char* text) {
  char decimalSeparator[] = ",";
  NUMBERFMTA format = {};
  format.NumDigits = 0;
  format.LeadingZero = 0;
  format.Grouping = 3;
  format.lpDecimalSep = decimalSeparator;
  format.lpThousandSep = Run.ThousandsSeparator;
  format.NegativeOrder = 0;
  if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits, &format, text, NumberTextCapacity) == 0)
    CopyText(text, NumberTextCapacity, digits);
}

// A 32-bit value grouped as GroupDigits groups it, written directly a group
// of three digits at a time from its end: its longest form, ten digits,
// three separators and the parentheses, always fits.
void RenderNumber(int32_t value, char* text) {
  constexpr size_t SeparatorCapacity = sizeof Run.ThousandsSeparator - 1;
  static_assert(10 + 3 * SeparatorCapacity + 2 < NumberTextCapacity);
  const char* separator = Run.ThousandsSeparator;
  size_t separatorLength = separator[0] && !separator[1] ? 1 : strlen(separator);
  uint32_t magnitude = value < 0 ? 0u - (uint32_t)value : (uint32_t)value;
  char reversed[NumberTextCapacity];  // filled from its end
  char* p = reversed + sizeof reversed;
  if (value < 0) *--p = ')';
  for (; magnitude >= 1000; magnitude /= 1000) {
    unsigned group = magnitude % 1000;
    p -= 3;
    p[0] = (char)('0' + group / 100);
    p[1] = (char)('0' + group / 10 % 10);
    p[2] = (char)('0' + group % 10);
    if (separatorLength == 1) {
      *--p = separator[0];
    } else {
      p -= separatorLength;
      memcpy(p, separator, separatorLength);
    }
  }
  do {
    *--p = (char)('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) *--p = '(';
  size_t length = (size_t)(reversed + sizeof reversed - p);
  memcpy(text, p, length);
  text[length] = '\0';
}

void RenderDouble(double value, char* text) {
  char digits[NumberTextCapacity];
  auto result = std::to_chars(digits, digits + sizeof digits - 1, value, std::chars_format::fixed, 0);
  if (result.ec == std::errc()) {
    *result.ptr = '\0';
  } else {
    snprintf(digits, sizeof digits, "%0.0f", value);  // beyond the work area: cut as printf cuts
  }
  GroupDigits(digits, text);
}
