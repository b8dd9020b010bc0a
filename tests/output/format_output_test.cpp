// The format engine at its edges: the 255 clamp, the line capacity, unlisted
// kinds of values and the 99-year window of times (the rest: output_formats.t).
#include "output/format_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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

TEST_F(FormatOutputTest, ClampsUnknownKindsAndDoubles) {
  memcpy(name, "x", 2);
  EXPECT_EQ(Expand("~256N", table), std::string(254, ' ') + "x");  // widths stop at 255
  EXPECT_EQ(Expand("~-099999N|", table), "x" + std::string(254, '0') + "|");
  bytes = 2047.6;
  EXPECT_EQ(Expand("~X", table), "2,048");
  const char* first = "first";
  PlaceholderEntry duplicates[] = {{PK_TEXT, 'n', first}, {PK_TEXT, 'n', name}, {2, 'k', &size}, {PK_END, 0, nullptr}};
  EXPECT_EQ(Expand("~n|~5k", duplicates), "first|");  // the first entry wins; unknown kinds vanish
  EXPECT_EQ(Expand("~N ~s", nullptr), " ");
}

// A format naming a file is read for every line, and each text it reads is
// expanded as it reads then, though the engine keeps what it parsed before.
TEST_F(FormatOutputTest, AFormatFileIsExpandedAsItReadsForEveryLine) {
  std::string dir = testing::TempDir() + "keltro-format-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::string file = dir + "/line";
  std::string format = "C:" + file;
  for (char& c : format) c = c == '/' ? '\\' : c;
  auto write = [&file](const char* text) { std::ofstream(file, std::ios::trunc) << text; };
  write("<~N>");
  EXPECT_EQ(Expand(format.c_str(), table), "<abcdefghijklmnopqrst>");
  write("~s|~N");
  EXPECT_EQ(Expand(format.c_str(), table), "1,234|abcdefghijklmnopqrst");
  write("<~N>");
  EXPECT_EQ(Expand(format.c_str(), table), "<abcdefghijklmnopqrst>");
  std::filesystem::remove_all(dir);
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
  uint64_t modified = FileTimeOf(2000, 3, 4, 5, 6);
  PlaceholderEntry table[2] = {{PK_FILETIME, 'M', &modified}, {PK_END, 0, nullptr}};
};

TEST_F(FormatTimeTest, TimesMoreThan99YearsAwayPrintNever) {
  for (uint64_t never : {(uint64_t)0, TimeNever, FileTimeOf(CurrentYear() - 100, 6, 1), FileTimeOf(CurrentYear() + 100, 6, 1)}) {
    modified = never;
    EXPECT_EQ(Expand("[~7M]", table), "[  never]");
  }
  for (int year : {CurrentYear() - 99, CurrentYear() + 99}) {
    modified = FileTimeOf(year, 6, 1);
    EXPECT_EQ(Expand("~M", table), "01.06." + std::to_string(year) + " 00:00");
  }
}

}  // namespace
