// The wildcard matcher at its edges: case-sensitive matching, characters of
// several bytes, missing texts and texts longer than its work buffers. Stars,
// question marks and pattern lists are in walk_wildcards.t.
#include "match/pattern_match.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"

namespace {

bool Match(const char* text, const char* pattern) { return MatchPattern(text, pattern, false); }

TEST(MatchPattern, CaseAndCharacters) {
  EXPECT_FALSE(MatchPattern("readme.TXT", "*.txt", true));
  EXPECT_TRUE(MatchPattern("~f ~o", "*~*o*", true));
  ASSERT_EQ(GetACP(), (UINT)CP_UTF8);  // the tests run under C.UTF-8: '?' is one character
  EXPECT_TRUE(Match("B\xC3\x84R", "b?r"));
  EXPECT_FALSE(Match("", "?*"));
  EXPECT_TRUE(MatchPattern("x", nullptr, false));
  EXPECT_FALSE(MatchPattern(nullptr, "*", false));
  std::string tooLong(1100, 'a');  // longer than the work buffers: matches nothing but a lone star
  EXPECT_FALSE(Match(tooLong.c_str(), "a*"));
  EXPECT_TRUE(Match(tooLong.c_str(), "*"));
  EXPECT_FALSE(MatchPatternList("a", ""));
}

}  // namespace
