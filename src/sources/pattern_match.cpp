#include "sources/pattern_match.h"

#include <cstring>

#include "params/bounded_text.h"
#include "platform/win32.h"

namespace {

constexpr size_t WorkCapacity = 1024;

// Whether the character after a run of stars lets the star stop before tc.
// A '?' there stops on any character, so "*?.txt" means what it says.
bool Anchors(char next, char tc) { return next == tc || next == '?'; }

bool MatchExact(const char* text, const char* pat) {
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
        ++t;
      }
      continue;
    }
    ++t;
    ++p;
    char np = pat[p];
    if (np != '*' && np != '?' && np != text[t] && resumable) {
      p = s;
      t = m + 1;
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
  if (caseSensitive) return MatchExact(text, pattern);
  // Texts that do not fit the work buffers match nothing rather than a cut copy.
  char upperText[WorkCapacity];
  char upperPattern[WorkCapacity];
  if (!CopyText(upperText, text) || !CopyText(upperPattern, pattern)) return false;
  CharUpperA(upperText);
  CharUpperA(upperPattern);
  return MatchExact(upperText, upperPattern);
}

bool MatchPatternList(const char* text, const char* patternList) {
  for (const char* entry = patternList; *entry; entry += strlen(entry) + 1) {
    bool exclude = (*entry == '!');
    if (MatchPattern(text, exclude ? entry + 1 : entry, false)) return !exclude;
  }
  return false;
}
