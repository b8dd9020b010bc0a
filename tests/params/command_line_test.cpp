// Splitting a command line by keltro's quoting rules, and the generic parser
// driven by tables of descriptors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/command_line.h"

namespace {

std::vector<std::string> Split(const std::string& line) {
  std::string text = line;
  char* words[MaxCommandWords];
  int count = SplitCommandLine(text.data(), words, MaxCommandWords);
  std::vector<std::string> out;
  for (int i = 0; i < count && i < MaxCommandWords; ++i) out.emplace_back(words[i]);
  return out;
}

using Words = std::vector<std::string>;

TEST(SplitCommandLine, QuotesInEveryPosition) {
  EXPECT_EQ(Split("k /g\"Domain Users:R\""), (Words{"k", "/gDomain Users:R"}));
  EXPECT_EQ(Split("k \"c:\\my files\\*\""), (Words{"k", "c:\\my files\\*"}));
  EXPECT_EQ(Split("k ~F\"~f ~s\""), (Words{"k", "~F~f ~s"}));
  EXPECT_EQ(Split("k abc\"def"), (Words{"k", "abc\"def"}));
  EXPECT_EQ(Split("k \"abc\"def ghi\""), (Words{"k", "abc\"def ghi"}));
  EXPECT_EQ(Split("k \"-oDomain Users\" x"), (Words{"k", "-oDomain Users", "x"}));
  EXPECT_EQ(Split("k ab\"c d"), (Words{"k", "ab\"c", "d"}));  // not two after a prefix
  EXPECT_EQ(Split("k /\"x y\""), (Words{"k", "/\"x", "y\""}));  // one after the prefix
}

TEST(SplitCommandLine, BlanksAndTabs) {
  EXPECT_EQ(Split("   k    a   b  "), (Words{"k", "a", "b"}));
  EXPECT_EQ(Split("k a\tb"), (Words{"k", "a\tb"}));
  EXPECT_EQ(Split(""), (Words{}));
  EXPECT_EQ(Split("k \"\" x"), (Words{"k", "", "x"}));
}

TEST(SplitCommandLine, UnterminatedQuoteRunsToTheEnd) {
  EXPECT_EQ(Split("k \"a b"), (Words{"k", "a b"}));
  EXPECT_EQ(Split("k ~F\"a b"), (Words{"k", "~Fa b"}));
  EXPECT_EQ(Split("k \""), (Words{"k", ""}));
}

TEST(SplitCommandLine, MoreWordsThanRoomIsReported) {
  std::string line = "k";
  for (int i = 0; i < 255; ++i) line += " a";
  EXPECT_EQ(Split(line).size(), 256u);
  line += " one-too-many";
  std::string text = line;
  char* words[MaxCommandWords];
  EXPECT_EQ(SplitCommandLine(text.data(), words, MaxCommandWords), MaxCommandWords + 1);
}

// A small set of tables with every datatype, to drive the generic parser.
struct Tables {
  int32_t number = 77;
  char letter = 'q';
  char text[256] = "old";
  char range[256] = "";
  char attribs[256] = "";
  int32_t flag = 55;
  int32_t level = 9;
  uint32_t bits = 0;
  char second[256] = "";
  uint64_t upper = 0, lower = 0;
  char format[256] = "";
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
                {PT_STRING, 'a', PS_OPTIONAL, attribs, (intptr_t) "", sizeof attribs},
                {PT_NONE, 0, 0, nullptr, 0, 0}};
    formats = {{PT_STRING, 'F', PS_OPTIONAL, format, (intptr_t) "~f", sizeof format},
               {PT_NONE, 0, 0, nullptr, 0, 0}};
  }

  int Parse(const std::string& arguments) {
    std::string line = "keltro " + arguments;
    return ParseCommandLineText(line.data(), positional.data(), options.data(), criteria.data(),
                                formats.data());
  }
};

// Parses and returns the result with what the parser printed on stderr.
std::pair<int, std::string> ParseCapturing(Tables& t, const std::string& arguments) {
  testing::internal::CaptureStderr();
  int result = t.Parse(arguments);
  return {result, testing::internal::GetCapturedStderr()};
}

TEST(ParseCommandLine, DefaultsWhenNothingIsGiven) {
  Tables t;
  EXPECT_EQ(ParseCapturing(t, ""), std::make_pair(0, std::string()));
  EXPECT_EQ(t.number, 12);
  EXPECT_STREQ(t.second, "dflt");
  EXPECT_EQ(t.flag, 0);
  EXPECT_EQ(t.level, 1);
  EXPECT_EQ(t.bits, 6u);
  EXPECT_EQ(t.letter, 'z');
  EXPECT_STREQ(t.format, "~f");
}

TEST(ParseCommandLine, TypedValues) {
  Tables t;
  ASSERT_EQ(t.Parse("5k word /v /h /b1:3,31 /cxyz ~F~N"), 0);
  EXPECT_EQ(t.number, 5);
  EXPECT_STREQ(t.second, "word");
  EXPECT_EQ(t.flag, 1);
  EXPECT_EQ(t.level, -1);
  EXPECT_EQ(t.bits, 0x8000000Eu);
  EXPECT_EQ(t.letter, 'x');
  EXPECT_STREQ(t.format, "~N");

  Tables u;
  ASSERT_EQ(u.Parse("0x10 /h2 /b"), 0);
  EXPECT_EQ(u.number, 0);
  EXPECT_EQ(u.level, 2);
  EXPECT_EQ(u.bits, 0xFFFFFFFFu);
}

TEST(ParseCommandLine, RefusedValuesNameTheArgument) {
  Tables t;
  EXPECT_EQ(ParseCapturing(t, "1 x /vx"),
            std::make_pair(3, std::string("PARAM-ERROR, no value allowed for option '/v'\n")));
  EXPECT_EQ(ParseCapturing(t, "/hx"),
            std::make_pair(1, std::string("PARAM-ERROR, non-numeric value for option '/h'\n")));
  EXPECT_EQ(ParseCapturing(t, "/q"),
            std::make_pair(1, std::string("PARAM-ERROR, invalid option '/q'\n")));
  EXPECT_EQ(ParseCapturing(t, "/V"),
            std::make_pair(1, std::string("PARAM-ERROR, invalid option '/V'\n")));
  EXPECT_EQ(ParseCapturing(t, "-s10;20"),
            std::make_pair(1, std::string("PARAM-ERROR, range syntax error for criteria '-s'\n")));
  EXPECT_EQ(ParseCapturing(t, "+s5"),
            std::make_pair(1, std::string("PARAM-ERROR, invalid LOWER-CRITERIA datatype\n")));
  EXPECT_EQ(ParseCapturing(t, "~X"),
            std::make_pair(1, std::string("PARAM-ERROR, invalid format '~X'\n")));
  EXPECT_EQ(ParseCapturing(t, "abc"),
            std::make_pair(1, std::string("PARAM-ERROR, non-numeric value for parameter 1\n")));
  EXPECT_EQ(ParseCapturing(t, "-0"),
            std::make_pair(1, std::string("PARAM-ERROR, invalid criteria '-0'\n")));
  EXPECT_EQ(ParseCapturing(t, "1 2 3"),
            std::make_pair(3, std::string("PARAM-ERROR, invalid parameter 3\n")));
  EXPECT_EQ(ParseCapturing(t, "/b1;2"), std::make_pair(1, std::string()));
}

TEST(ParseCommandLine, LonePrefixesAndEmptyArgumentsGiveTheirNumberSilently) {
  for (const char* word : {"/", "-", "+", "~", "\"\""}) {
    Tables t;
    EXPECT_EQ(ParseCapturing(t, std::string("7 ") + word), std::make_pair(2, std::string())) << word;
  }
}

TEST(ParseCommandLine, TheFirstFailureStopsEverything) {
  Tables t;
  EXPECT_EQ(ParseCapturing(t, "/v /q /h5").first, 2);
  EXPECT_EQ(t.flag, 1);     // stored before the failure
  EXPECT_EQ(t.level, 9);    // never reached, and no default applied
}

TEST(ParseCommandLine, LaterValuesOverwriteEarlierOnes) {
  Tables t;
  ASSERT_EQ(t.Parse("/gone /gtwo"), 0);
  EXPECT_STREQ(t.text, "two");
}

TEST(ParseCommandLine, TextsLongerThan255CharactersAreRefused) {
  Tables t;
  std::string fits(255, 'x');
  ASSERT_EQ(t.Parse("/g" + fits), 0);
  EXPECT_EQ(std::string(t.text), fits);
  EXPECT_EQ(ParseCapturing(t, "/g" + fits + "y"),
            std::make_pair(1, std::string("PARAM-ERROR, value too long for option '/g' (at most 255 characters)\n")));
  EXPECT_EQ(std::string(t.text), fits);
}

TEST(ParseCommandLine, MandatoryDescriptors) {
  Tables t;
  t.options[1].status = PS_MANDATORY;
  EXPECT_EQ(ParseCapturing(t, "/v"),
            std::make_pair(2, std::string("PARAM-ERROR, mandatory option /h not specified\n")));
  Tables u;
  u.positional[1].status = PS_MANDATORY;
  EXPECT_EQ(ParseCapturing(u, "5"),
            std::make_pair(2, std::string("PARAM-ERROR, mandatory parameter 2 not specified\n")));
  Tables f;
  f.formats[0].status = PS_MANDATORY;  // formats are never reported missing
  EXPECT_EQ(ParseCapturing(f, ""), std::make_pair(0, std::string()));
}

TEST(ParseCommandLine, DatatypesATableDoesNotAccept) {
  Tables t;
  t.criteria[0].type = PT_FLAG;
  EXPECT_EQ(ParseCapturing(t, "-s"),
            std::make_pair(-1, std::string("PARAM-ERROR, INTERNAL ERROR, invalid CRITERIA datatype\n")));
  Tables u;
  u.formats[0].type = PT_NUMBER;
  EXPECT_EQ(ParseCapturing(u, "~F5"),
            std::make_pair(-1, std::string("PARAM-ERROR, INTERNAL ERROR, invalid FORMAT datatype\n")));
  Tables v;
  v.positional[0].type = PT_FLAG;
  EXPECT_EQ(ParseCapturing(v, "x"),
            std::make_pair(-1, std::string("PARAM-ERROR, INTERNAL ERROR, invalid param datatype\n")));
}

TEST(ParseCommandLine, MissingTablesRefuseTheirArguments) {
  std::string line = "keltro /v";
  EXPECT_EQ(ParseCommandLineText(line.data(), nullptr, nullptr, nullptr, nullptr), 1);
  line = "keltro x";
  EXPECT_EQ(ParseCommandLineText(line.data(), nullptr, nullptr, nullptr, nullptr), 1);
}

}  // namespace
