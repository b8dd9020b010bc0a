// GetNumberFormatA: a plain decimal text ("-1234.5") laid out with digit
// grouping, separators, rounding and the negative form, the Win32 way.
#include <algorithm>
#include <cstring>
#include <charconv>
#include <string>

#include "platform/posix/nls_locale.h"
#include "platform/posix/nls_result.h"

namespace {

struct NumberText {
  bool negative = false;
  std::string whole;     // without leading zeros
  std::string fraction;
};

// Win32 accepts only: an optional leading '-', digits, at most one '.'.
bool ReadNumber(const char* value, NumberText* number) {
  const char* p = value;
  if (*p == '-') {
    number->negative = true;
    ++p;
  }
  bool anyDigit = false, inFraction = false;
  for (; *p; ++p) {
    if (*p == '.' && !inFraction) {
      inFraction = true;
    } else if (*p >= '0' && *p <= '9') {
      anyDigit = true;
      if (inFraction) number->fraction += *p;
      else if (!number->whole.empty() || *p != '0') number->whole += *p;
    } else {
      return false;
    }
  }
  return anyDigit;
}

// Rounds half away from zero to `digits` fraction digits (padding with 0).
void RoundFraction(NumberText* number, size_t digits) {
  bool roundUp = number->fraction.size() > digits && number->fraction[digits] >= '5';
  number->fraction.resize(digits, '0');
  if (!roundUp) return;
  std::string all = number->whole + number->fraction;
  size_t i = all.size();
  while (i > 0 && all[i - 1] == '9') all[--i] = '0';
  if (i == 0) all.insert(all.begin(), '1');
  else ++all[i - 1];
  number->whole = all.substr(0, all.size() - digits);
  number->fraction = all.substr(all.size() - digits);
}

// Group sizes from the decimal point leftwards; the last one repeats unless
// the Grouping value ends in 0. Built back to front, then turned around.
std::string GroupDigits(const std::string& whole, unsigned grouping, const char* separator) {
  char sizes[16];
  char* end = std::to_chars(sizes, sizes + sizeof sizes, grouping).ptr;
  size_t count = (size_t)(end - sizes);
  bool repeat = sizes[count - 1] != '0';
  if (!repeat) --count;
  auto sizeOf = [&](size_t group) {
    if (group < count) return sizes[group] - '0';
    return repeat && count > 0 ? sizes[count - 1] - '0' : 0;
  };
  std::string reversedSeparator(separator);
  std::reverse(reversedSeparator.begin(), reversedSeparator.end());
  std::string grouped;
  grouped.reserve(whole.size() * (1 + reversedSeparator.size()));
  size_t group = 0;
  int inGroup = 0, size = sizeOf(0);
  for (size_t i = whole.size(); i > 0; --i) {
    if (size > 0 && inGroup == size) {
      grouped += reversedSeparator;
      size = sizeOf(++group);
      inGroup = 0;
    }
    grouped += whole[i - 1];
    ++inGroup;
  }
  std::reverse(grouped.begin(), grouped.end());
  return grouped;
}

std::string WithSign(const std::string& number, UINT negativeOrder) {
  switch (negativeOrder) {
    case 0: return "(" + number + ")";
    case 2: return "- " + number;
    case 3: return number + "-";
    case 4: return number + " -";
    default: return "-" + number;
  }
}

bool IsValidFormat(const NUMBERFMTA* format) {
  return format->NumDigits <= 9 && format->LeadingZero <= 1 && format->NegativeOrder <= 4 &&
         format->lpDecimalSep && format->lpThousandSep;
}


// The common case of the format engine: a whole number, no fraction digits,
// groups of three. Gives the text's length, or -1 to take the general way.
int FormatWholeNumber(const char* value, const NUMBERFMTA& format, char* out, size_t capacity) {
  if (format.NumDigits != 0 || format.Grouping != 3 || format.NegativeOrder > 1) return -1;
  bool negative = *value == '-';
  const char* digits = value + negative;
  size_t count = strspn(digits, "0123456789");
  if (count == 0 || digits[count] != '\0') return -1;
  while (count > 1 && *digits == '0') ++digits, --count;  // "000" is 0
  size_t separatorLength = strlen(format.lpThousandSep);
  size_t length = count + (count - 1) / 3 * separatorLength + (negative ? (format.NegativeOrder == 0 ? 2 : 1) : 0);
  if (length + 1 > capacity) return -1;
  char* p = out;
  if (negative) *p++ = format.NegativeOrder == 0 ? '(' : '-';
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) {
      memcpy(p, format.lpThousandSep, separatorLength);
      p += separatorLength;
    }
    *p++ = digits[i];
  }
  if (negative && format.NegativeOrder == 0) *p++ = ')';
  *p = '\0';
  return (int)(p - out);
}

}  // namespace

int GetNumberFormatA(LCID Locale, DWORD dwFlags, LPCSTR lpValue, const NUMBERFMTA* lpFormat,
                     LPSTR lpNumberStr, int cchNumber) {
  if (lpFormat && dwFlags) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  char quick[80];
  int quickLength = lpValue && lpFormat && IsValidFormat(lpFormat)
                        ? FormatWholeNumber(lpValue, *lpFormat, quick, sizeof quick) : -1;
  if (quickLength >= 0) return ReturnText(quick, (size_t)quickLength, lpNumberStr, cchNumber);
  NumberText number;
  if (!lpValue || !ReadNumber(lpValue, &number) || (lpFormat && !IsValidFormat(lpFormat))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // Without a format: the locale's separators and grouping, two fraction
  // digits, a leading zero and a minus sign.
  NumberConventions conventions;
  NUMBERFMTA format;
  if (lpFormat) {
    format = *lpFormat;
  } else {
    conventions = UserNumberConventions();
    format = {2, 1, conventions.Grouping, conventions.DecimalSep, conventions.ThousandSep, 1};
  }

  RoundFraction(&number, format.NumDigits);
  std::string text = GroupDigits(number.whole, format.Grouping, format.lpThousandSep);
  // "No leading zero" drops the zero before a decimal separator (".5"); a
  // number without fraction digits always keeps its one digit ("0").
  if (text.empty() && (format.LeadingZero || format.NumDigits == 0)) text.push_back('0');
  if (format.NumDigits) text += format.lpDecimalSep + number.fraction;
  if (number.negative) text = WithSign(text, format.NegativeOrder);
  return ReturnText(text.data(), text.size(), lpNumberStr, cchNumber);
}
