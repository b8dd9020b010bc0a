#include "match/pattern_match.h"

#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool Match(const char* text, const char* pattern) { return MatchPattern(text, pattern, false); }
bool MatchCase(const char* text, const char* pattern) { return MatchPattern(text, pattern, true); }

// A PatternList from "a,b,!c" written with commas.
std::string List(const std::string& commas) {
  std::string list = commas;
  for (char& c : list) {
    if (c == ',') c = '\0';
  }
  list.push_back('\0');
  return list;
}

TEST(MatchPattern, StarsAndQuestionMarks) {
  EXPECT_TRUE(Match("", "*"));
  EXPECT_TRUE(Match("", ""));
  EXPECT_FALSE(Match("a", ""));
  EXPECT_FALSE(Match("", "a"));
  EXPECT_TRUE(Match("a", "a*"));
  EXPECT_TRUE(Match("abc", "?*"));
  EXPECT_FALSE(Match("", "?*"));
  EXPECT_TRUE(Match("abc", "a***c"));
  EXPECT_TRUE(Match("x.log", "*.*"));
  EXPECT_FALSE(Match("makefile", "*.*"));
  EXPECT_TRUE(Match("abc", "a?c"));
  EXPECT_FALSE(Match("abbc", "a?c"));
}

TEST(MatchPattern, StarResumesAfterAFalseStart) {
  EXPECT_TRUE(Match("abab", "*ab"));
  EXPECT_TRUE(Match("ababc", "*abc"));
  EXPECT_TRUE(Match("aab", "*ab"));
  EXPECT_FALSE(Match("xa", "*a?"));
  EXPECT_TRUE(Match("report-2024.txt", "rep*-*.txt"));
  EXPECT_FALSE(Match("report.txt.bak", "*.txt"));
}

TEST(MatchPattern, QuestionMarkAfterAStarTakesAnyCharacter) {
  EXPECT_TRUE(Match("a.txt", "*?.txt"));
  EXPECT_FALSE(Match(".txt", "*?.txt"));
}

TEST(MatchPattern, CaseFolding) {
  EXPECT_TRUE(Match("readme.TXT", "*.txt"));
  EXPECT_FALSE(MatchCase("readme.TXT", "*.txt"));
  EXPECT_TRUE(MatchCase("~f ~o", "*~*o*"));
  EXPECT_FALSE(MatchCase("~f ~O", "*~*o*"));
  EXPECT_TRUE(Match("ÄRGER.doc", "ä*"));
}

TEST(MatchPattern, MissingTextOrPattern) {
  EXPECT_TRUE(MatchPattern("x", nullptr, false));
  EXPECT_FALSE(MatchPattern(nullptr, "*", false));
  std::string tooLong(1100, 'a');
  EXPECT_FALSE(Match(tooLong.c_str(), "a*"));
  EXPECT_TRUE(MatchCase(tooLong.c_str(), "a*"));
  EXPECT_TRUE(Match(tooLong.c_str(), "*"));  // a lone star needs no copy
}

TEST(MatchPatternList, FirstMatchingEntryDecides) {
  EXPECT_TRUE(MatchPatternList("a.txt", List("*.txt,*.log,!x*").c_str()));
  EXPECT_TRUE(MatchPatternList("b.LOG", List("*.txt,*.log,!x*").c_str()));
  EXPECT_FALSE(MatchPatternList("x.dat", List("*.txt,*.log,!x*").c_str()));
  EXPECT_FALSE(MatchPatternList("~tmp", List("!~*,*").c_str()));
  EXPECT_TRUE(MatchPatternList("data", List("!~*,*").c_str()));
  EXPECT_TRUE(MatchPatternList("~tmp", List("*,!~*").c_str()));
  EXPECT_FALSE(MatchPatternList("a", List("!a,!b").c_str()));
  EXPECT_FALSE(MatchPatternList("zzz", List("!a,!b").c_str()));
  EXPECT_FALSE(MatchPatternList("a", ""));
}

TEST(MatchPatternList, DoubleExclamationExcludesNamesBeginningWithOne) {
  EXPECT_FALSE(MatchPatternList("!old", List("!!*,*").c_str()));
  EXPECT_TRUE(MatchPatternList("old", List("!!*,*").c_str()));
}

TEST(HasWildcards, StarOrQuestionMark) {
  EXPECT_TRUE(HasWildcards("a*"));
  EXPECT_TRUE(HasWildcards("?"));
  EXPECT_FALSE(HasWildcards("abc"));
  EXPECT_FALSE(HasWildcards(""));
  EXPECT_FALSE(HasWildcards(nullptr));
}

TEST(MatchPattern, UnderUtf8AQuestionMarkIsOneCharacter) {
  ASSERT_EQ(GetACP(), (UINT)CP_UTF8);  // the tests run under C.UTF-8
  EXPECT_TRUE(Match("bär", "b?r"));
  EXPECT_TRUE(Match("BÄR", "b?r"));
  EXPECT_FALSE(Match("bär", "b??r"));
  EXPECT_TRUE(Match("€uro", "?uro"));
  EXPECT_TRUE(Match("x€€y", "x*?y"));
  EXPECT_TRUE(Match("ääb", "*äb"));
}

}  // namespace
