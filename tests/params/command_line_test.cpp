// Splitting a command line by keltro's quoting rules, and the generic parser
// driven by tables of descriptors. The program's own tables and messages are
// in the transcripts.
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

// A small set of tables, to drive the generic parser where keltro's own
// tables do not reach: descriptors that must be given.
struct Tables {
  int32_t number = 77, flag = 55, level = 9;
  char letter = 'q';
  uint32_t bits = 0;
  char text[256] = "old", second[256] = "", range[256] = "", format[256] = "";
  std::vector<ParamDescriptor> positional, options, criteria, formats;

  Tables() {
    positional = {{PT_NUMBER, 0, PS_OPTIONAL, &number, 12, 0},
                  {PT_STRING, 0, PS_OPTIONAL, second, (intptr_t) "dflt", sizeof second},
                  {PT_NONE, 0, 0, nullptr, 0, 0}};
    options = {{PT_FLAG, 'v', PS_OPTIONAL, &flag, 0, 0},
               {PT_NUMBER, 'h', PS_OPTIONAL, &level, 1, 0},
               {PT_BITSET, 'b', PS_OPTIONAL, &bits, 6, 0},
               {PT_CHAR, 'c', PS_OPTIONAL, &letter, 'z', 0},
               {PT_STRING, 'g', PS_OPTIONAL, text, (intptr_t) "", sizeof text},
               {PT_NONE, 0, 0, nullptr, 0, 0}};
    criteria = {{PT_RANGE, 's', PS_OPTIONAL, range, (intptr_t) "", sizeof range},
                {PT_NONE, 0, 0, nullptr, 0, 0}};
    formats = {{PT_STRING, 'F', PS_OPTIONAL, format, (intptr_t) "~f", sizeof format},
               {PT_NONE, 0, 0, nullptr, 0, 0}};
  }

  // The result, and what the parser printed.
  std::pair<int, std::string> Parse(const std::string& arguments) {
    std::string line = "keltro " + arguments;
    testing::internal::CaptureStderr();
    int result = ParseCommandLineText(line.data(), positional.data(), options.data(), criteria.data(),
                                      formats.data());
    return {result, testing::internal::GetCapturedStderr()};
  }
};

TEST(ParseCommandLine, MandatoryDescriptors) {
  Tables t, u;
  t.options[1].status = PS_MANDATORY;
  t.formats[0].status = PS_MANDATORY;  // formats are never reported missing
  EXPECT_EQ(t.Parse("5 x"), std::make_pair(2, std::string("PARAM-ERROR, mandatory option /h not specified\n")));
  u.positional[1].status = PS_MANDATORY;
  EXPECT_EQ(u.Parse("/h3"), std::make_pair(2, std::string("PARAM-ERROR, mandatory parameter 2 not specified\n")));
}

}  // namespace
