// Splitting a command line by keltro's quoting rules. The parser, over the
// program's own tables, and its messages are in the transcripts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/command_line.h"

namespace {

using Words = std::vector<std::string>;

Words Split(const std::string& line) {
  std::string text = line;
  char* words[MaxCommandWords];
  int count = SplitCommandLine(text.data(), words, MaxCommandWords);
  return count > MaxCommandWords ? Words{"<too many>"} : Words(words, words + count);
}

TEST(SplitCommandLine, QuotesBlanksAndTheWordLimit) {
  EXPECT_EQ(Split("k /g\"Domain Users:R\" ~F\"~f ~s\""), (Words{"k", "/gDomain Users:R", "~F~f ~s"}));
  EXPECT_EQ(Split("k \"c:\\my files\\*\" \"\" x"), (Words{"k", "c:\\my files\\*", "", "x"}));
  EXPECT_EQ(Split("k \"abc\"def ghi\" abc\"def"), (Words{"k", "abc\"def ghi", "abc\"def"}));
  EXPECT_EQ(Split("k ab\"c d /\"x y\""), (Words{"k", "ab\"c", "d", "/\"x", "y\""}));  // two after a prefix only
  EXPECT_EQ(Split("   k    a\tb  "), (Words{"k", "a\tb"}));
  EXPECT_EQ(Split("k ~F\"a b"), (Words{"k", "~Fa b"}));  // an open quote runs to the end
  std::string line = "k";
  for (int i = 0; i < 255; ++i) line += " a";
  EXPECT_EQ(Split(line).size(), 256u);
  EXPECT_EQ(Split(line + " b"), Words{"<too many>"});
}

}  // namespace
