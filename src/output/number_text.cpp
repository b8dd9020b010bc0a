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

// A 32-bit value grouped as GroupDigits groups it, written directly: its
// longest form, ten digits, three separators and the parentheses, always fits.
void RenderNumber(int32_t value, char* text) {
  static_assert(10 + 3 * (sizeof Run.ThousandsSeparator - 1) + 2 < NumberTextCapacity);
  uint32_t magnitude = value < 0 ? 0u - (uint32_t)value : (uint32_t)value;
  char digits[10];
  int count = 0;
  do {
    digits[count++] = (char)('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  size_t separatorLength = strlen(Run.ThousandsSeparator);
  char* p = text;
  if (value < 0) *p++ = '(';
  for (int i = count - 1; i >= 0; i--) {
    *p++ = digits[i];
    if (i > 0 && i % 3 == 0) {
      memcpy(p, Run.ThousandsSeparator, separatorLength);
      p += separatorLength;
    }
  }
  if (value < 0) *p++ = ')';
  *p = '\0';
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
