#include "sources/network_names.h"

#include <cstring>

#include "base/bounded_text.h"
#include "match/pattern_match.h"
#include "output/standard_output.h"

std::string AnsiName(const WCHAR* name) {
  int size = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, name, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string ansi((size_t)size, '\0');
  WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, name, -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(strlen(ansi.c_str()));
  return ansi;
}

bool ToNetName(const WCHAR* name, NetName& ansi) {
  std::string whole = AnsiName(name);
  bool fits = whole.size() < sizeof ansi;
  CopyText(ansi, fits ? whole.c_str() : "");
  return fits;
}

bool ToWideName(const char* text, WCHAR* wide, int capacity) {
  if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide, capacity) > 0) return true;
  wide[0] = 0;
  return false;
}

bool CopyWideName(WCHAR* dest, int capacity, const WCHAR* source) {
  int length = 0;
  while (source && source[length] && length < capacity - 1) {
    dest[length] = source[length];
    length++;
  }
  dest[length] = 0;
  return !source || !source[length];
}

bool ToGivenName(const char* text, WCHAR* wide, int capacity, const char* module, const char* kind) {
  if (ToWideName(text, wide, capacity)) return true;
  PrintError("%s-ERROR, %s name '%s' longer than %d characters\n", module, kind, text, capacity - 1);
  return false;
}

bool MatchNetName(const WCHAR* name, const char* pattern, const char* module, const char* kind, NetName& ansi) {
  if (ToNetName(name, ansi)) return MatchPattern(ansi, pattern, false);
  PrintError("%s-ERROR, %s name '%s' longer than %d characters, skipped\n", module, kind, AnsiName(name).c_str(),
             NetNameCapacity - 1);
  return false;
}
