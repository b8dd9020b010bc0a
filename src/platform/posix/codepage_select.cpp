// Which ANSI/OEM code pages are in force: decided by the codeset of the
// user's locale (or the one a test selects).
#include <cstring>
#include <string>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/nls_locale.h"

namespace {

// "utf-8", "UTF8" and "Utf_8" all read as "UTF8".
std::string CanonicalCodeset(const char* codeset) {
  std::string name;
  for (const char* p = codeset; *p; ++p) {
    if (*p == '-' || *p == '_') continue;
    name += UpperAscii(*p);
  }
  return name;
}

}  // namespace

CodePagePair CodePagesForCodeset(const char* codeset) {
  std::string name = CanonicalCodeset(codeset ? codeset : "");
  const char* const unicodeNames[] = {"UTF8", "ANSIX3.41968", "ASCII", "USASCII", ""};
  for (const char* unicodeName : unicodeNames)
    if (name == unicodeName) return {CP_UTF8, CP_UTF8};
  return {1252, 850};
}

CodePagePair CurrentCodePages() {
  if (!Layer.codePagesKnown) {
    Layer.codePages = CodePagesForCodeset(UserCodeset());
    Layer.codePagesKnown = true;
  }
  return Layer.codePages;
}

UINT ResolveCodePage(UINT codePage) {
  if (codePage == CP_ACP) return CurrentCodePages().Ansi;
  if (codePage == CP_OEMCP) return CurrentCodePages().Oem;
  return codePage;
}

UINT GetACP(void) { return CurrentCodePages().Ansi; }

UINT GetOEMCP(void) { return CurrentCodePages().Oem; }
