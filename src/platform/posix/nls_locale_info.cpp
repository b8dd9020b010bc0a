// What the user locale says about numbers, dates and times, in Win32 terms;
// GetLocaleInfoA.
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/posix/nls_locale.h"
#include "platform/posix/nls_result.h"

namespace {

// glibc's grouping bytes (sizes from the decimal point leftwards; the last
// repeats unless CHAR_MAX or a negative value ends the grouping) as the
// NUMBERFMTA digits.
unsigned GroupingFromLocale(const char* sizes) {
  unsigned grouping = 0;
  int count = 0;
  for (; *sizes && count < 4; ++sizes, ++count) {
    int size = (signed char)*sizes;
    if (size <= 0 || size == CHAR_MAX) return count ? grouping * 10 : 0;
    grouping = grouping * 10 + (size > 9 ? 9 : (unsigned)size);
  }
  while (grouping >= 10 && grouping % 10 == grouping / 10 % 10) grouping /= 10;  // 33 is 3
  return grouping;
}

// "3;0" style of LOCALE_SGROUPING for NUMBERFMTA digits.
std::string GroupingText(unsigned grouping) {
  std::string digits = std::to_string(grouping);
  std::string text;
  for (char digit : digits) {
    if (!text.empty()) text += ';';
    text += digit;
  }
  if (grouping % 10 != 0) text += ";0";
  return text;
}

// A strftime format as a Win32 picture: each conversion becomes its picture
// letters, literal letters and quotes are quoted, unknown conversions vanish.
std::string PictureFromStrftime(const char* format) {
  std::string picture;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      char c = *p;
      if (c == '\'') picture += "''";
      else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) picture += std::string("'") + c + "'";
      else picture += c;
      continue;
    }
    ++p;
    if (*p == 'E' || *p == 'O') ++p;  // alternative-numeral modifiers
    switch (*p) {
      case 'd': picture += "dd"; break;
      case 'e': picture += "d"; break;
      case 'm': picture += "MM"; break;
      case 'y': picture += "yy"; break;
      case 'Y': picture += "yyyy"; break;
      case 'b': case 'h': picture += "MMM"; break;
      case 'B': picture += "MMMM"; break;
      case 'a': picture += "ddd"; break;
      case 'A': picture += "dddd"; break;
      case 'H': picture += "HH"; break;
      case 'k': picture += "H"; break;
      case 'I': picture += "hh"; break;
      case 'l': picture += "h"; break;
      case 'M': picture += "mm"; break;
      case 'S': picture += "ss"; break;
      case 'p': case 'P': picture += "tt"; break;
      case 'D': picture += "MM/dd/yy"; break;
      case 'F': picture += "yyyy-MM-dd"; break;
      case 'T': picture += "HH:mm:ss"; break;
      case 'R': picture += "HH:mm"; break;
      case 'r': picture += "hh:mm:ss tt"; break;
      case '%': picture += '%'; break;
      case '\0': return picture;
      default: break;
    }
  }
  return picture;
}

void CopyPicture(const std::string& picture, char* out, size_t capacity) {
  if (capacity) snprintf(out, capacity, "%s", picture.c_str());
}

}  // namespace

static NumberConventions ReadNumberConventions();

// Read from the locale once per (re)load: the format engine asks for the
// thousands separator on every line.
NumberConventions UserNumberConventions() {
  static unsigned readFrom = ~0u;
  static NumberConventions cached;
  if (readFrom != UserLocaleGeneration()) {
    cached = ReadNumberConventions();
    readFrom = UserLocaleGeneration();
  }
  return cached;
}

static NumberConventions ReadNumberConventions() {
  NumberConventions conventions;
  const char* thousands = UserLocaleText(THOUSEP);
  const char* decimal = UserLocaleText(RADIXCHAR);
  if (*thousands) {
    snprintf(conventions.ThousandSep, sizeof conventions.ThousandSep, "%s", thousands);
    conventions.Grouping = GroupingFromLocale(UserLocaleText(GROUPING));
  } else {
    snprintf(conventions.ThousandSep, sizeof conventions.ThousandSep, ",");
    conventions.Grouping = 3;
  }
  snprintf(conventions.DecimalSep, sizeof conventions.DecimalSep, "%s", *decimal ? decimal : ".");
  return conventions;
}

void ShortDatePicture(char* out, size_t capacity) {
  CopyPicture(PictureFromStrftime(UserLocaleText(D_FMT)), out, capacity);
}

void TimePicture(char* out, size_t capacity) {
  CopyPicture(PictureFromStrftime(UserLocaleText(T_FMT)), out, capacity);
}

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
  NumberConventions conventions = UserNumberConventions();
  if ((LCType & ~LOCALE_NOUSEROVERRIDE) == LOCALE_STHOUSAND) {  // asked on every listing line
    return ReturnText(conventions.ThousandSep, strlen(conventions.ThousandSep), lpLCData, cchData);
  }
  char picture[80];
  std::string text;
  switch (LCType & ~LOCALE_NOUSEROVERRIDE) {
    case LOCALE_STHOUSAND: text = conventions.ThousandSep; break;
    case LOCALE_SDECIMAL: text = conventions.DecimalSep; break;
    case LOCALE_SGROUPING: text = GroupingText(conventions.Grouping); break;
    case LOCALE_SSHORTDATE:
      ShortDatePicture(picture, sizeof picture);
      text = picture;
      break;
    case LOCALE_STIMEFORMAT:
      TimePicture(picture, sizeof picture);
      text = picture;
      break;
    default:
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
  }
  return ReturnText(text.data(), text.size(), lpLCData, cchData);
}
