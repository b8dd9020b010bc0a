// GetStringTypeW for the classes the console width depends on: the columns
// wcwidth gives in a Unicode locale (the user's when it is a UTF-8 one),
// as ls and column count them.
#include <cwchar>

#include "platform/posix/nls_locale.h"
#include "platform/win32.h"

namespace {

bool IsHigh(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

WORD WidthClass(char32_t c) {
  if (c == 0) return 0;
  switch (wcwidth((wchar_t)c)) {
    case 0: return C3_NONSPACING;
    case 2: return C3_FULLWIDTH;
  }
  return 0;
}

}  // namespace

BOOL GetStringTypeW(DWORD dwInfoType, LPCWCH lpSrcStr, int cchSrc, WORD* lpCharType) {
  if (dwInfoType != CT_CTYPE3) {
    SetLastError(ERROR_INVALID_FLAGS);
    return FALSE;
  }
  if (!lpSrcStr || !lpCharType || cchSrc == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (cchSrc < 0)
    for (cchSrc = 1; lpSrcStr[cchSrc - 1]; cchSrc++) continue;
  locale_t unicode = UnicodeCaseLocale();
  locale_t previous = unicode ? uselocale(unicode) : nullptr;
  for (int i = 0; i < cchSrc; i++) {
    WCHAR unit = lpSrcStr[i];
    if (IsHigh(unit) && i + 1 < cchSrc && IsLow(lpSrcStr[i + 1])) {
      char32_t c = 0x10000 + (((char32_t)unit - 0xD800) << 10) + ((char32_t)lpSrcStr[i + 1] - 0xDC00);
      lpCharType[i] = WidthClass(c) | C3_HIGHSURROGATE;
      lpCharType[++i] = C3_LOWSURROGATE;
    } else {
      lpCharType[i] = WidthClass(unit);
    }
  }
  if (unicode) uselocale(previous);
  return TRUE;
}
