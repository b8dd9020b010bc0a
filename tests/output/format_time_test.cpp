// Times in listing lines: the pictures' length limit, and the 99-year window
// outside which a time prints as "never". The pictures themselves are in
// output_formats.t.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "driver/settings.h"
#include "output/format_output.h"

namespace {

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
  void TearDown() override { unsetenv("QX_DATE_FORMAT"); }
  std::string Expand(const char* format) {
    char output[LineCapacity];
    FormatOutput(format, output, table, LineCapacity);
    return output;
  }
  uint64_t modified = FileTimeOf(2000, 3, 4, 5, 6);
  PlaceholderEntry table[2] = {{PK_FILETIME, 'M', &modified}, {PK_END, 0, nullptr}};
};

TEST_F(FormatTimeTest, PicturesOf16CharactersOrMoreAreIgnored) {
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@' ", 1);  // 15 characters fit
  EXPECT_EQ(Expand("[~.8M]"), "[04/03/..]");
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@@' ", 1);  // 16 do not
  EXPECT_EQ(Expand("~M"), "04.03.2000 05:06");
}

TEST_F(FormatTimeTest, TimesMoreThan99YearsAwayPrintNever) {
  for (uint64_t never : {(uint64_t)0, TimeNever, FileTimeOf(CurrentYear() - 100, 6, 1), FileTimeOf(CurrentYear() + 100, 6, 1)}) {
    modified = never;
    EXPECT_EQ(Expand("[~7M]"), "[  never]");
  }
  modified = FileTimeOf(CurrentYear() - 99, 6, 1);
  EXPECT_EQ(Expand("~M"), "01.06." + std::to_string(CurrentYear() - 99) + " 00:00");
  modified = FileTimeOf(CurrentYear() + 99, 6, 1);
  EXPECT_EQ(Expand("~M"), "01.06." + std::to_string(CurrentYear() + 99) + " 00:00");
}

}  // namespace
