// The wildcard matcher every subsystem uses, and pattern lists with exclusions.
#include "match/pattern_match.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

bool Match(const char* text, const char* pattern) { return MatchPattern(text, pattern, false); }
bool MatchCase(const char* text, const char* pattern) { return MatchPattern(text, pattern, true); }

// A PatternList from "a,b,!c" written with commas.
bool MatchList(const char* text, std::string list) {
  for (char& c : list) c = c == ',' ? '\0' : c;
  list.push_back('\0');
  return MatchPatternList(text, list.c_str());
}

TEST(MatchPattern, StarsAndQuestionMarks) {
  EXPECT_TRUE(Match("", "*"));
  EXPECT_FALSE(Match("a", ""));
  EXPECT_FALSE(Match("", "?*"));
  EXPECT_TRUE(Match("abc", "a***c"));
  EXPECT_FALSE(Match("makefile", "*.*"));
  EXPECT_TRUE(Match("ababc", "*abc"));  // a star resumes after a false start
  EXPECT_FALSE(Match("xa", "*a?"));
  EXPECT_FALSE(Match("report.txt.bak", "*.txt"));
  EXPECT_TRUE(Match("a.txt", "*?.txt"));  // '?' after a star takes any character
  EXPECT_FALSE(Match(".txt", "*?.txt"));
}

TEST(MatchPattern, CaseAndCharacters) {
  EXPECT_TRUE(Match("readme.TXT", "*.txt"));
  EXPECT_FALSE(MatchCase("readme.TXT", "*.txt"));
  EXPECT_TRUE(MatchCase("~f ~o", "*~*o*"));
  ASSERT_EQ(GetACP(), (UINT)CP_UTF8);  // the tests run under C.UTF-8: '?' is one character
  EXPECT_TRUE(Match("B\xC3\x84R", "b?r"));
  EXPECT_FALSE(Match("b\xC3\xA4r", "b??r"));
  EXPECT_TRUE(Match("x\xE2\x82\xAC\xE2\x82\xAC" "y", "x*?y"));
  EXPECT_TRUE(MatchPattern("x", nullptr, false));
  EXPECT_FALSE(MatchPattern(nullptr, "*", false));
  std::string tooLong(1100, 'a');  // longer than the work buffers: matches nothing but a lone star
  EXPECT_FALSE(Match(tooLong.c_str(), "a*"));
  EXPECT_TRUE(Match(tooLong.c_str(), "*"));
}

TEST(MatchPatternList, FirstMatchingEntryDecides) {
  EXPECT_TRUE(MatchList("b.LOG", "*.txt,*.log,!x*"));
  EXPECT_FALSE(MatchList("x.dat", "*.txt,*.log,!x*"));
  EXPECT_FALSE(MatchList("~tmp", "!~*,*"));
  EXPECT_TRUE(MatchList("~tmp", "*,!~*"));
  EXPECT_FALSE(MatchList("zzz", "!a,!b"));
  EXPECT_FALSE(MatchList("!old", "!!*,*"));  // a double '!' excludes names beginning with one
  EXPECT_TRUE(MatchList("old", "!!*,*"));
  EXPECT_FALSE(MatchPatternList("a", ""));
  EXPECT_TRUE(HasWildcards("?"));
  EXPECT_FALSE(HasWildcards(""));
}

}  // namespace
