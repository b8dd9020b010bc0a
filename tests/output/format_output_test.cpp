#include "output/format_output.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/settings.h"
#include "output/value_text.h"

namespace {

// Expands format into a buffer of guard bytes and checks that nothing was
// written behind the capacity.
std::string Expand(const char* format, const PlaceholderEntry* table, int capacity = LineCapacity) {
  static char output[LineCapacity + 16];
  memset(output, '#', sizeof output);
  FormatOutput(format, output, table, capacity);
  EXPECT_EQ(std::string(output + capacity, 16), std::string(16, '#')) << "written past the capacity";
  return output;
}

class FormatOutputTest : public testing::Test {
 protected:
  void SetUp() override { ReadOutputConventions(); }
  int32_t size = 1234;
  int32_t count = 1234567;
  double bytes = 1234567890123.0;
  char name[64] = "abcdefghijklmnopqrst";  // 20 characters
  const WCHAR* server = u"\\\\S\u00e9RV";
  PlaceholderEntry table[6] = {
      {PK_NUMBER, 's', &size},  {PK_NUMBER, 'T', &count}, {PK_DOUBLE, 'X', &bytes},
      {PK_TEXT, 'N', name},     {PK_WTEXT, 'S', server},  {PK_END, 0, nullptr},
  };
};

TEST_F(FormatOutputTest, NumbersAreGroupedByThrees) {
  EXPECT_EQ(Expand("~s|~T|~X", table), "1,234|1,234,567|1,234,567,890,123");
  size = -1234;
  EXPECT_EQ(Expand("~s", table), "(1,234)");
  bytes = 2047.6;
  EXPECT_EQ(Expand("~X", table), "2,048");
}

// An empty file or an empty directory shows its 0, as Windows groups it.
TEST_F(FormatOutputTest, ZeroIsPrintedAsOneDigit) {
  size = 0;
  bytes = 0.4;
  EXPECT_EQ(Expand("~s|~X|~4s", table), "0|0|   0");
}

TEST_F(FormatOutputTest, WidthJustifiesAndPads) {
  EXPECT_EQ(Expand("[~8s]", table), "[   1,234]");
  EXPECT_EQ(Expand("[~-8s]", table), "[1,234   ]");
  EXPECT_EQ(Expand("[~08s]", table), "[0001,234]");
  EXPECT_EQ(Expand("[~3s]", table), "[1,234]");
  EXPECT_EQ(Expand("[~--8s]", table), "[1,234   ]");
  EXPECT_EQ(Expand("[~-8N]", table), "[abcdefghijklmnopqrst]");
}

TEST_F(FormatOutputTest, DotsMarkACutAtTheWidth) {
  EXPECT_EQ(Expand("[~.10N]", table), "[abcdefgh..]");
  EXPECT_EQ(Expand("[~!10N]", table), "[abcdefghij]");
  EXPECT_EQ(Expand("[~.!10N]", table), "[abcdefghij]");
  EXPECT_EQ(Expand("[~-.10N]", table), "[abcdefgh..]");
  EXPECT_EQ(Expand("[~.1N]", table), "[.]");
  EXPECT_EQ(Expand("[~.2N]", table), "[..]");
  EXPECT_EQ(Expand("[~.3N]", table), "[a..]");
  EXPECT_EQ(Expand("[~!2N]", table), "[ab]");

  memcpy(name, "abcdefghi", 10);  // 9 characters: the last one becomes a dot
  EXPECT_EQ(Expand("[~.10N]", table), "[ abcdefgh.]");
  EXPECT_EQ(Expand("[~-.10N]", table), "[abcdefgh. ]");
  memcpy(name, "abcdefgh", 9);  // 8 characters fit whole
  EXPECT_EQ(Expand("[~.10N]", table), "[  abcdefgh]");
  EXPECT_EQ(Expand("[~.N]", table), "[abcdefgh]");
}

TEST_F(FormatOutputTest, WidthIsClampedTo255) {
  name[0] = 'x';
  name[1] = '\0';
  EXPECT_EQ(Expand("~256N", table), std::string(254, ' ') + "x");
  EXPECT_EQ(Expand("~2560N", table), std::string(254, ' ') + "x");
  EXPECT_EQ(Expand("~-099999N|", table), "x" + std::string(254, '0') + "|");
}

TEST_F(FormatOutputTest, TildeUnknownLettersAndModifiersOutOfOrder) {
  EXPECT_EQ(Expand("a~~b", table), "a~b");
  EXPECT_EQ(Expand("~-5~", table), "~");
  EXPECT_EQ(Expand("<~q>", table), "<>");
  EXPECT_EQ(Expand("<~-.!08q>", table), "<>");
  EXPECT_EQ(Expand("abc~", table), "abc");
  EXPECT_EQ(Expand("abc~-08", table), "abc");
  // '.' is taken, '-' is the (unknown) letter, "10N" is plain text.
  EXPECT_EQ(Expand("~.-10N", table), "10N");
  // '!' before '.' ends the modifiers: '.' is the letter.
  EXPECT_EQ(Expand("~!.5N", table), "5N");
  // Letters are compared case-sensitively.
  EXPECT_EQ(Expand("<~n>", table), "<>");
  EXPECT_EQ(Expand("", table), "");
  EXPECT_EQ(Expand("~N ~s", nullptr), " ");
}

TEST(FormatOutputTable, FirstEntryWinsAndUnknownKindsVanish) {
  const char* first = "first";
  const char* second = "second";
  int32_t number = 7;
  PlaceholderEntry table[] = {
      {PK_TEXT, 'n', first}, {PK_TEXT, 'n', second}, {2, 'k', &number},
      {PK_END, 'z', second}, {PK_TEXT, 'y', second},
  };
  EXPECT_EQ(Expand("~n|~5k|~z|~y", table), "first|||");
}

TEST_F(FormatOutputTest, ValuesAreReadAtEachExpansion) {
  EXPECT_EQ(Expand("~N ~s", table), "abcdefghijklmnopqrst 1,234");
  memcpy(name, "new.txt", 8);
  size = 99;
  EXPECT_EQ(Expand("~N ~s", table), "new.txt 99");
}

TEST_F(FormatOutputTest, Utf16TextShowsLowBytesAndCountsCodeUnits) {
  EXPECT_EQ(Expand("[~8S]", table), "[  \\\\S\xe9RV]");
  EXPECT_EQ(Expand("[~.5S]", table), "[\\\\S..]");
  const WCHAR wide[] = {0x0141, 'x', 0};
  table[4].value = wide;
  EXPECT_EQ(Expand("~S", table), "Ax");
}

TEST_F(FormatOutputTest, OutputIsCutAtTheCapacity) {
  EXPECT_EQ(Expand("0123456789abc", table, 10), "012345678");
  EXPECT_EQ(Expand("ab~30N", table, 6), "ab   ");
  EXPECT_EQ(Expand("ab~N", table, 6), "ababc");
  EXPECT_EQ(Expand("ab~-30s", table, 12), "ab1,234    ");
  EXPECT_EQ(Expand("~~~~~~", table, 3), "~~");
  EXPECT_EQ(Expand("anything", table, 1), "");
}

}  // namespace
