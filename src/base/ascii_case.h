// Case folding of ASCII letters: command words, drive classes and keywords
// are ASCII and read without regard to case.
#pragma once

constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// True when text is `upper` (an upper-case word) in any case.
inline bool SameWordIgnoringCase(const char* text, const char* upper) {
  for (; *text && *upper; ++text, ++upper) {
    if (UpperAscii(*text) != *upper) return false;
  }
  return *text == *upper;
}
