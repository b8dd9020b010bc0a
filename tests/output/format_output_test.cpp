// The format engine: widths, cuts, fill, the 255 clamp, unknown letters and
// the line capacity, over every kind of value; the pictures' length limit
// and the 99-year window of times. The common cases are in output_formats.t.
#include "output/format_output.h"
#include "output/value_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
  double bytes = 1234567890123.0;
  char name[64] = "abcdefghijklmnopqrst";  // 20 characters
  PlaceholderEntry table[4] = {
      {PK_NUMBER, 's', &size}, {PK_DOUBLE, 'X', &bytes}, {PK_TEXT, 'N', name}, {PK_END, 0, nullptr}};
};

TEST_F(FormatOutputTest, NumbersAreGroupedByThrees) {
  EXPECT_EQ(Expand("~s|~X", table), "1,234|1,234,567,890,123");
  size = -1234;
  bytes = 2047.6;
  EXPECT_EQ(Expand("~s|~X", table), "(1,234)|2,048");
  size = 0;
  bytes = 0.4;
  EXPECT_EQ(Expand("~s|~X|~4s", table), "0|0|   0");
}

TEST_F(FormatOutputTest, WidthsFillAndCuts) {
  EXPECT_EQ(Expand("[~3s][~--8s][~-8N]", table), "[1,234][1,234   ][abcdefghijklmnopqrst]");
  EXPECT_EQ(Expand("[~.10N][~!10N][~.!10N][~-.10N]", table), "[abcdefgh..][abcdefghij][abcdefghij][abcdefgh..]");
  EXPECT_EQ(Expand("[~.1N][~.2N][~.3N][~!2N]", table), "[.][..][a..][ab]");
  memcpy(name, "abcdefghi", 10);  // 9 characters: the last one becomes a dot
  EXPECT_EQ(Expand("[~.10N][~-.10N]", table), "[ abcdefgh.][abcdefgh. ]");
  memcpy(name, "abcdefgh", 9);  // 8 characters fit whole
  EXPECT_EQ(Expand("[~.10N][~.N]", table), "[  abcdefgh][abcdefgh]");
  memcpy(name, "x", 2);
  EXPECT_EQ(Expand("~256N", table), std::string(254, ' ') + "x");  // widths stop at 255
  EXPECT_EQ(Expand("~-099999N|", table), "x" + std::string(254, '0') + "|");
}

TEST_F(FormatOutputTest, TildeUnknownLettersAndModifiersOutOfOrder) {
  EXPECT_EQ(Expand("a~~b~-5~", table), "a~b~");
  EXPECT_EQ(Expand("<~-.!08q><~n>", table), "<><>");  // letters are case-sensitive
  EXPECT_EQ(Expand("abc~-08", table), "abc");
  EXPECT_EQ(Expand("~!.5N", table), "5N");  // '!' before '.' ends the modifiers: '.' is the letter
  EXPECT_EQ(Expand("~N ~s", nullptr), " ");
  const char* first = "first";
  PlaceholderEntry duplicates[] = {{PK_TEXT, 'n', first}, {PK_TEXT, 'n', name}, {2, 'k', &size}, {PK_END, 0, nullptr}};
  EXPECT_EQ(Expand("~n|~5k", duplicates), "first|");  // the first entry wins; unknown kinds vanish
}

TEST_F(FormatOutputTest, OutputIsCutAtTheCapacity) {
  EXPECT_EQ(Expand("0123456789abc", table, 10), "012345678");
  EXPECT_EQ(Expand("ab~30N", table, 6), "ab   ");
  EXPECT_EQ(Expand("ab~-30s", table, 12), "ab1,234    ");
  EXPECT_EQ(Expand("~~~~~~", table, 3), "~~");
  EXPECT_EQ(Expand("anything", table, 1), "");
}

int CurrentYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wYear;
}

uint64_t FileTimeOf(int year, int month, int day, int hour = 0, int minute = 0) {
  SYSTEMTIME time = {(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, 0, 0};
  FILETIME value = {};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &value));
  return ((uint64_t)value.dwHighDateTime << 32) | value.dwLowDateTime;
}

class FormatTimeTest : public testing::Test {
 protected:
  void SetUp() override { ReadOutputConventions(); }
  void TearDown() override {
    unsetenv("QX_DATE_FORMAT");
    ReadOutputConventions();
  }
  uint64_t modified = FileTimeOf(2000, 3, 4, 5, 6);
  PlaceholderEntry table[2] = {{PK_FILETIME, 'M', &modified}, {PK_END, 0, nullptr}};
};

TEST_F(FormatTimeTest, PicturesOf16CharactersOrMoreAreIgnored) {
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@' ", 1);  // 15 characters fit
  ReadOutputConventions();
  EXPECT_EQ(Expand("[~.8M]", table), "[04/03/..]");
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@@' ", 1);  // 16 do not
  ReadOutputConventions();
  EXPECT_EQ(Expand("~M", table), "04.03.2000 05:06");
}

TEST_F(FormatTimeTest, TimesMoreThan99YearsAwayPrintNever) {
  for (uint64_t never : {(uint64_t)0, TimeNever, FileTimeOf(CurrentYear() - 100, 6, 1), FileTimeOf(CurrentYear() + 100, 6, 1)}) {
    modified = never;
    EXPECT_EQ(Expand("[~7M]", table), "[  never]");
  }
  modified = FileTimeOf(CurrentYear() - 99, 6, 1);
  EXPECT_EQ(Expand("~M", table), "01.06." + std::to_string(CurrentYear() - 99) + " 00:00");
  modified = FileTimeOf(CurrentYear() + 99, 6, 1);
  EXPECT_EQ(Expand("~M", table), "01.06." + std::to_string(CurrentYear() + 99) + " 00:00");
}

}  // namespace
