// CharUpperA (upper-casing for matching) and CharToOemBuffA (console text)
// in the code pages in force.
#include <cstdint>
#include <cstring>
#include <cwctype>

#include "platform/posix/layer.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/nls_locale.h"

namespace {

char32_t UpperCodePoint(char32_t codePoint, locale_t caseLocale) {
  if (caseLocale) return (char32_t)towupper_l((wint_t)codePoint, caseLocale);
  return codePoint < 0x80 ? (char32_t)UpperAscii((char)codePoint) : codePoint;
}

// Each code point becomes its upper case where that has the same UTF-8
// length, so the text keeps its length and byte positions; ill-formed bytes
// stay as they are.
void UpperCaseUtf8(unsigned char* text) {
  locale_t caseLocale = UnicodeCaseLocale();
  size_t length = strlen((const char*)text);
  for (size_t i = 0; i < length;) {
    size_t used;
    char32_t codePoint = DecodeUtf8(text + i, length - i, &used);
    if (codePoint != InvalidCodePoint) {
      unsigned char upper[4];
      if (EncodeUtf8(UpperCodePoint(codePoint, caseLocale), upper) == used) memcpy(text + i, upper, used);
    }
    i += used;
  }
}

unsigned char UpperCaseByte(unsigned char byte) {
  if (CurrentCodePages().Ansi == 1252) return UpperCase1252(byte);
  return byte < 0x80 ? (unsigned char)UpperAscii((char)byte) : byte;
}

unsigned char AnsiToOem(unsigned char byte) {
  unsigned char oem;
  if (UnicodeToTableByte(850, TableByteToUnicode(1252, byte), &oem)) return oem;
  return '?';
}

}  // namespace

LPSTR CharUpperA(LPSTR lpsz) {
  // Win32: a "pointer" whose high word is zero carries one character.
  if (((uintptr_t)lpsz >> 16) == 0) return (LPSTR)(uintptr_t)UpperCaseByte((unsigned char)(uintptr_t)lpsz);
  if (CurrentCodePages().Ansi == CP_UTF8) {
    UpperCaseUtf8((unsigned char*)lpsz);
    return lpsz;
  }
  for (unsigned char* p = (unsigned char*)lpsz; *p; ++p) *p = UpperCase1252(*p);
  return lpsz;
}

BOOL CharToOemBuffA(LPCSTR lpszSrc, LPSTR lpszDst, DWORD cchDstLength) {
  if (!lpszSrc || !lpszDst) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (CurrentCodePages().Oem == CP_UTF8) {
    memmove(lpszDst, lpszSrc, cchDstLength);
    return TRUE;
  }
  for (DWORD i = 0; i < cchDstLength; ++i) lpszDst[i] = (char)AnsiToOem((unsigned char)lpszSrc[i]);
  return TRUE;
}
