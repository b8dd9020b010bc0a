#include "sources/pattern_match.h"

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

struct SplitRow {
  const char* spec;
  const char* domain;
  const char* server;
  const char* share;
  const char* drive;
  const char* directory;
  const char* file;
};

class SplitSourceSpecTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitSourceSpecTest, CutsEveryPart) {
  const SplitRow& row = GetParam();
  char domain[256] = "x", server[256] = "x", share[256] = "x", drive[256] = "x", dir[256] = "x",
       file[256] = "x";
  ASSERT_TRUE(SplitSourceSpec(row.spec, domain, server, share, drive, dir, file));
  EXPECT_STREQ(domain, row.domain);
  EXPECT_STREQ(server, row.server);
  EXPECT_STREQ(share, row.share);
  EXPECT_STREQ(drive, row.drive);
  EXPECT_STREQ(dir, row.directory);
  EXPECT_STREQ(file, row.file);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SplitSourceSpecTest,
    ::testing::Values(SplitRow{"C:\\dir*\\sub\\*.txt", "", "", "", "C:", "\\dir*\\sub\\", "*.txt"},
                      SplitRow{"DISK*:\\tmp\\", "", "", "", "DISK*:", "\\tmp\\", ""},
                      SplitRow{"*.log", "", "", "", "", "", "*.log"},
                      SplitRow{"\\\\srv*\\data\\a\\b\\*.doc", "", "srv*", "data", "", "\\a\\b\\", "*.doc"},
                      SplitRow{"DOM*\\\\srv\\sh*\\x", "DOM*", "srv", "sh*", "", "", "x"},
                      SplitRow{"\\\\srv\\share", "", "srv", "share", "", "", ""},
                      SplitRow{"\\\\srv", "", "srv", "", "", "", ""},
                      SplitRow{"C:", "", "", "", "C:", "", ""},
                      SplitRow{"", "", "", "", "", "", ""},
                      SplitRow{"C:x.txt", "", "", "", "C:", "", "x.txt"}));

TEST(SplitSourceSpec, LengthLimit) {
  char file[256];
  std::string spec256 = "C:\\" + std::string(253, 'a');
  EXPECT_TRUE(SplitSourceSpec(spec256.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, file));
  EXPECT_EQ(std::string(file), std::string(253, 'a'));

  strcpy(file, "untouched");
  std::string spec257 = spec256 + "b";
  EXPECT_FALSE(SplitSourceSpec(spec257.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, file));
  EXPECT_STREQ(file, "untouched");
}

TEST(SplitSourceSpec, APartOf256CharactersIsCutToFit) {
  char file[256];
  std::string spec(256, 'f');
  EXPECT_TRUE(SplitSourceSpec(spec.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, file));
  EXPECT_EQ(std::string(file), std::string(255, 'f'));
}

}  // namespace

namespace {

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
