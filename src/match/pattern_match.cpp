#include "match/pattern_match.h"

#include <cstring>

#include "base/bounded_text.h"
#include "platform/win32.h"

namespace {

constexpr size_t WorkCapacity = 1024;

// The length of the character at text: under a UTF-8 code page a whole
// sequence, so that '?' and '*' step over characters, not bytes.
size_t CharLength(const char* text, bool utf8) {
  unsigned char lead = (unsigned char)text[0];
  if (!utf8 || lead < 0xC0) return 1;
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  for (size_t i = 1; i < length; ++i) {
    if (((unsigned char)text[i] & 0xC0) != 0x80) return 1;  // not a sequence: one byte
  }
  return length;
}

// Whether the character after a run of stars lets the star stop before tc.
// A '?' there stops on any character, so "*?.txt" means what it says.
bool Anchors(char next, char tc) { return next == tc || next == '?'; }

bool MatchExact(const char* text, const char* pat, bool utf8) {
  size_t t = 0, p = 0;
  bool resumable = false;
  size_t s = 0, m = 0;
  while (text[t] != '\0') {
    char pc = pat[p];
    char tc = text[t];
    if (pc != tc && pc != '*' && pc != '?') break;
    if (pc == '*') {
      while (pat[p + 1] == '*') ++p;
      char next = pat[p + 1];
      if (next == '\0') return true;
      if (Anchors(next, tc)) {
        resumable = true;
        s = p;
        m = t;
        ++p;
      } else {
        t += CharLength(text + t, utf8);
      }
      continue;
    }
    t += (pc == '?') ? CharLength(text + t, utf8) : 1;
    ++p;
    char np = pat[p];
    if (np != '*' && np != '?' && np != text[t] && resumable) {
      p = s;
      t = m + CharLength(text + m, utf8);
      resumable = false;
    }
  }
  if (text[t] == pat[p]) return true;
  if (pat[p] != '*') return false;
  while (pat[p] == '*') ++p;
  return pat[p] == '\0';
}

}  // namespace

bool HasWildcards(const char* text) {
  return text && *text && strpbrk(text, "*?") != nullptr;
}

bool MatchPattern(const char* text, const char* pattern, bool caseSensitive) {
  if (!pattern) return true;
  if (!text) return false;
  if (pattern[0] == '*' && pattern[1] == '\0') return true;
  bool utf8 = GetACP() == CP_UTF8;
  if (caseSensitive) return MatchExact(text, pattern, utf8);
  // Texts that do not fit the work buffers match nothing rather than a cut copy.
  char upperText[WorkCapacity];
  char upperPattern[WorkCapacity];
  if (!CopyText(upperText, text) || !CopyText(upperPattern, pattern)) return false;
  CharUpperA(upperText);
  CharUpperA(upperPattern);
  return MatchExact(upperText, upperPattern, utf8);
}

bool MatchPatternList(const char* text, const char* patternList) {
  for (const char* entry = patternList; *entry; entry += strlen(entry) + 1) {
    if (entry[0] == '*' && entry[1] == '\0') return true;  // the common "*", matched without a call
    bool exclude = (*entry == '!');
    if (MatchPattern(text, exclude ? entry + 1 : entry, false)) return !exclude;
  }
  return false;
}
