#include "output/text_columns.h"

#include <cstring>

#include "platform/win32.h"

bool AnsiIsUtf8(void) { return GetACP() == CP_UTF8; }

// The UTF-16 units of one UTF-8 character of `length` bytes; 0 when the bytes
// are no well-formed character (truncated, overlong, a surrogate).
static int ToUnits(const char* text, size_t length, WCHAR units[2]) {
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, (int)length, units, 2);
}

size_t CharLength(const char* text, size_t remaining, bool utf8) {
  unsigned char lead = (unsigned char)text[0];
  if (!utf8 || lead < 0xC2 || lead > 0xF4) return 1;
  size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  WCHAR units[2];
  return length <= remaining && ToUnits(text, length, units) > 0 ? length : 1;
}

int CharColumns(const char* text, size_t length, bool utf8) {
  WCHAR units[2];
  int count = utf8 && length > 1 ? ToUnits(text, length, units) : 0;
  WORD types[2] = {0, 0};
  if (count <= 0 || !GetStringTypeW(CT_CTYPE3, units, count, types)) return 1;
  if (types[0] & C3_NONSPACING) return 0;
  return (types[0] & (C3_FULLWIDTH | C3_IDEOGRAPH)) ? 2 : 1;
}

int FirstCharLength(const char* text) { return (int)CharLength(text, strlen(text), AnsiIsUtf8()); }
