#include "output/text_columns.h"

#include <cstring>

#include "platform/win32.h"

bool AnsiIsUtf8(void) { return GetACP() == CP_UTF8; }

static bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of a valid sequence of `length` bytes.
static char32_t Decode(const unsigned char* text, size_t length) {
  static const unsigned char LeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t c = text[0] & LeadMask[length];
  for (size_t i = 1; i < length; i++) c = (c << 6) | (text[i] & 0x3F);
  return c;
}

size_t CharLength(const char* text, size_t remaining, bool utf8) {
  const unsigned char* bytes = (const unsigned char*)text;
  unsigned char lead = bytes[0];
  if (!utf8 || lead < 0xC2 || lead > 0xF4) return 1;
  size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length > remaining) return 1;
  for (size_t i = 1; i < length; i++)
    if (!IsContinuation(bytes[i])) return 1;
  // Overlong forms, surrogates and values past U+10FFFF begin no character.
  char32_t c = Decode(bytes, length);
  if ((length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)))
    return 1;
  return length;
}

int CharColumns(const char* text, size_t length, bool utf8) {
  if (!utf8 || length == 1) return 1;
  char32_t c = Decode((const unsigned char*)text, length);
  WCHAR units[2];
  int count = 1;
  if (c >= 0x10000) {
    units[0] = (WCHAR)(0xD800 + ((c - 0x10000) >> 10));
    units[1] = (WCHAR)(0xDC00 + ((c - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = (WCHAR)c;
  }
  WORD types[2] = {0, 0};
  if (!GetStringTypeW(CT_CTYPE3, units, count, types)) return 1;
  if (types[0] & C3_NONSPACING) return 0;
  return (types[0] & (C3_FULLWIDTH | C3_IDEOGRAPH)) ? 2 : 1;
}

int FirstCharLength(const char* text) { return (int)CharLength(text, strlen(text), AnsiIsUtf8()); }
