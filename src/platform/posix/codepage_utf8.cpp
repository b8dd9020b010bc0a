// UTF-8 coding, strict: no surrogates, no overlong forms, nothing above
// U+10FFFF.
#include "platform/posix/nls_codepage.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t DecodeUtf8(const unsigned char* text, size_t available, size_t* length) {
  unsigned char lead = text[0];
  *length = 1;
  if (lead < 0x80) return lead;
  size_t count;
  char32_t codePoint;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return InvalidCodePoint;
  }
  for (size_t i = 1; i < count; ++i) {
    if (i >= available) return InvalidCodePoint;
    unsigned char byte = text[i];
    bool fits = i == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
    if (!fits) return InvalidCodePoint;
    codePoint = (codePoint << 6) | (byte & 0x3F);
    *length = i + 1;
  }
  return codePoint;
}

size_t EncodeUtf8(char32_t codePoint, unsigned char out[4]) {
  if (codePoint < 0x80) {
    out[0] = (unsigned char)codePoint;
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = (unsigned char)(0xC0 | (codePoint >> 6));
    out[1] = (unsigned char)(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    out[0] = (unsigned char)(0xE0 | (codePoint >> 12));
    out[1] = (unsigned char)(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = (unsigned char)(0x80 | (codePoint & 0x3F));
    return 3;
  }
  out[0] = (unsigned char)(0xF0 | (codePoint >> 18));
  out[1] = (unsigned char)(0x80 | ((codePoint >> 12) & 0x3F));
  out[2] = (unsigned char)(0x80 | ((codePoint >> 6) & 0x3F));
  out[3] = (unsigned char)(0x80 | (codePoint & 0x3F));
  return 4;
}
