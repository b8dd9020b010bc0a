// MultiByteToWideChar and WideCharToMultiByte over UTF-8 and the 8-bit
// tables. Both count when given no room, and fail with
// ERROR_INSUFFICIENT_BUFFER, never writing past the room they were given.
#include <cstring>

#include "platform/posix/nls_codepage.h"

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Collects output units up to a capacity; with capacity 0 it only counts.
template <typename Unit>
struct UnitSink {
  Unit* out;
  int capacity;
  int count = 0;
  bool overflow = false;

  void Put(Unit unit) {
    if (capacity > 0) {
      if (count >= capacity) {
        overflow = true;
        return;
      }
      out[count] = unit;
    }
    ++count;
  }

  int Finish() {
    if (overflow) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    return count;
  }
};

int InvalidParameter() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

size_t Utf16Length(LPCWCH text) {
  size_t length = 0;
  while (text[length]) ++length;
  return length;
}

void PutUtf16(UnitSink<WCHAR>& sink, char32_t codePoint) {
  if (codePoint < 0x10000) {
    sink.Put((WCHAR)codePoint);
    return;
  }
  codePoint -= 0x10000;
  sink.Put((WCHAR)(0xD800 + (codePoint >> 10)));
  sink.Put((WCHAR)(0xDC00 + (codePoint & 0x3FF)));
}

// One code point from UTF-16; an unpaired surrogate is InvalidCodePoint.
char32_t NextUtf16(LPCWCH text, size_t length, size_t* index) {
  char32_t unit = text[(*index)++];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit >= 0xDC00 || *index >= length) return InvalidCodePoint;
  char32_t low = text[*index];
  if (low < 0xDC00 || low > 0xDFFF) return InvalidCodePoint;
  ++*index;
  return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
  UINT page = ResolveCodePage(CodePage);
  if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && !lpWideCharStr) || (page != CP_UTF8 && !IsTableCodePage(page)))
    return InvalidParameter();
  size_t length = cbMultiByte == -1 ? strlen(lpMultiByteStr) + 1 : (size_t)cbMultiByte;
  const unsigned char* text = (const unsigned char*)lpMultiByteStr;
  UnitSink<WCHAR> sink{lpWideCharStr, cchWideChar};
  for (size_t i = 0; i < length;) {
    if (page != CP_UTF8) {
      sink.Put((WCHAR)TableByteToUnicode(page, text[i++]));
      continue;
    }
    size_t used;
    char32_t codePoint = DecodeUtf8(text + i, length - i, &used);
    i += used;
    if (codePoint == InvalidCodePoint) {
      if (dwFlags & MB_ERR_INVALID_CHARS) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
      }
      codePoint = ReplacementCharacter;
    }
    PutUtf16(sink, codePoint);
  }
  return sink.Finish();
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
  UINT page = ResolveCodePage(CodePage);
  if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && !lpMultiByteStr) || (page != CP_UTF8 && !IsTableCodePage(page)))
    return InvalidParameter();
  size_t length = cchWideChar == -1 ? Utf16Length(lpWideCharStr) + 1 : (size_t)cchWideChar;
  char defaultChar = lpDefaultChar ? *lpDefaultChar : '?';
  bool usedDefault = false;
  UnitSink<char> sink{lpMultiByteStr, cbMultiByte};
  for (size_t i = 0; i < length;) {
    char32_t codePoint = NextUtf16(lpWideCharStr, length, &i);
    if (page == CP_UTF8) {
      unsigned char bytes[4];
      size_t count = EncodeUtf8(codePoint == InvalidCodePoint ? ReplacementCharacter : codePoint, bytes);
      for (size_t b = 0; b < count; ++b) sink.Put((char)bytes[b]);
      continue;
    }
    unsigned char byte;
    if (codePoint != InvalidCodePoint && UnicodeToTableByte(page, codePoint, &byte)) {
      sink.Put((char)byte);
    } else {
      sink.Put(defaultChar);
      usedDefault = true;
    }
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault;
  return sink.Finish();
}
