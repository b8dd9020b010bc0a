#include <charconv>
#include <cstdio>

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

// The plain decimal text of a number ("%ld", "%0.0f"), before grouping.
void RenderNumber(int32_t value, char* text) {
  char digits[NumberTextCapacity];
  *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
  GroupDigits(digits, text);
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
