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

// A small set of tables with every datatype, to drive the generic parser.
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

const std::pair<int, std::string> Parsed = {0, ""};

TEST(ParseCommandLine, DefaultsAndTypedValues) {
  Tables t;
  EXPECT_EQ(t.Parse(""), Parsed);
  EXPECT_EQ(t.number, 12);
  EXPECT_STREQ(t.second, "dflt");
  EXPECT_EQ(t.bits, 6u);
  EXPECT_EQ(t.letter, 'z');
  EXPECT_STREQ(t.format, "~f");
  EXPECT_EQ(t.Parse("5k word /v /h /b1:3,31 /cxyz ~F~N /gone /gtwo"), Parsed);
  EXPECT_EQ(t.number, 5);
  EXPECT_STREQ(t.second, "word");
  EXPECT_EQ(t.flag, 1);
  EXPECT_EQ(t.level, -1);
  EXPECT_EQ(t.bits, 0x8000000Eu);
  EXPECT_EQ(t.letter, 'x');
  EXPECT_STREQ(t.format, "~N");
  EXPECT_STREQ(t.text, "two");  // a later value overwrites
}

TEST(ParseCommandLine, TheFirstFailureStopsEverything) {
  Tables t;
  EXPECT_EQ(t.Parse("/v /q /h5"), std::make_pair(2, std::string("PARAM-ERROR, invalid option '/q'\n")));
  EXPECT_EQ(t.flag, 1);   // stored before the failure
  EXPECT_EQ(t.level, 9);  // never reached, and no default applied
  EXPECT_EQ(t.Parse("abc"), std::make_pair(1, std::string("PARAM-ERROR, non-numeric value for parameter 1\n")));
  EXPECT_EQ(t.Parse("/h-0"), std::make_pair(1, std::string("PARAM-ERROR, non-numeric value for option '/h'\n")));
  EXPECT_EQ(t.Parse("0 /h0"), Parsed);  // a number that reads as 0 must begin with 0
  EXPECT_EQ(t.Parse("/b1;2"), std::make_pair(1, std::string()));
  std::string fits(255, 'x');
  EXPECT_EQ(t.Parse("/g" + fits), Parsed);
  EXPECT_EQ(t.Parse("/g" + fits + "y").first, 1);
  EXPECT_EQ(std::string(t.text), fits);
}

TEST(ParseCommandLine, MandatoryDescriptors) {
  Tables t, u;
  t.options[1].status = PS_MANDATORY;
  t.formats[0].status = PS_MANDATORY;  // formats are never reported missing
  EXPECT_EQ(t.Parse("5 x"), std::make_pair(2, std::string("PARAM-ERROR, mandatory option /h not specified\n")));
  u.positional[1].status = PS_MANDATORY;
  EXPECT_EQ(u.Parse("/h3"), std::make_pair(2, std::string("PARAM-ERROR, mandatory parameter 2 not specified\n")));
}

}  // namespace
