#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "driver/settings.h"
#include "output/format_output.h"
#include "output/value_text.h"

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = (unsigned)(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + (int64_t)dayOfEra - 719468;
}

uint64_t FileTimeOf(int year, unsigned month, unsigned day, int hour, int minute, int second) {
  int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return (uint64_t)(seconds + 11644473600LL) * 10000000ULL;
}

int CurrentYear() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

class FormatTimeTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    unsetenv("QX_DATE_FORMAT");
    unsetenv("QX_TIME_FORMAT");
    ReadTimePictures();
  }
  void TearDown() override {
    unsetenv("QX_DATE_FORMAT");
    unsetenv("QX_TIME_FORMAT");
    ReadTimePictures();
  }
  std::string Expand(const char* format) {
    char output[LineCapacity];
    FormatOutput(format, output, table, LineCapacity);
    return output;
  }

  uint64_t modified = FileTimeOf(2000, 3, 4, 5, 6, 7);
  PlaceholderEntry table[2] = {{PK_FILETIME, 'M', &modified}, {PK_END, 0, nullptr}};
};

TEST_F(FormatTimeTest, DefaultPicturesGiveDayMonthYearHoursMinutes) {
  EXPECT_EQ(Expand("~M"), "04.03.2000 05:06");
  modified = FileTimeOf(2024, 12, 31, 23, 59, 59);
  EXPECT_EQ(Expand("~M"), "31.12.2024 23:59");
}

TEST_F(FormatTimeTest, PicturesOf16CharactersOrMoreAreIgnored) {
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@' ", 1);  // 15 characters fit
  ReadTimePictures();
  EXPECT_EQ(Expand("~M"), "04/03/2000 @ 05:06");
  setenv("QX_DATE_FORMAT", "dd/MM/yyyy '@@' ", 1);  // 16 do not
  ReadTimePictures();
  EXPECT_EQ(Expand("~M"), "04.03.2000 05:06");
}

TEST_F(FormatTimeTest, TimesMoreThan99YearsAwayPrintNever) {
  modified = 0;
  EXPECT_EQ(Expand("~M"), "never");
  modified = TimeNever;
  EXPECT_EQ(Expand("~M"), "never");
  modified = FileTimeOf(CurrentYear() - 100, 6, 1, 0, 0, 0);
  EXPECT_EQ(Expand("~M"), "never");
  modified = FileTimeOf(CurrentYear() - 99, 6, 1, 0, 0, 0);
  EXPECT_EQ(Expand("~M"), "01.06." + std::to_string(CurrentYear() - 99) + " 00:00");
  modified = FileTimeOf(CurrentYear() - 50, 6, 1, 12, 30, 0);
  EXPECT_EQ(Expand("~M"), "01.06." + std::to_string(CurrentYear() - 50) + " 12:30");
}

TEST_F(FormatTimeTest, TimesTakeWidthsAndCutsLikeText) {
  EXPECT_EQ(Expand("[~-20M]"), "[04.03.2000 05:06    ]");
  EXPECT_EQ(Expand("[~8M]"), "[04.03.2000 05:06]");
  EXPECT_EQ(Expand("[~.5M]"), "[04...]");
  EXPECT_EQ(Expand("[~!10M]"), "[04.03.2000]");
  modified = 0;
  EXPECT_EQ(Expand("[~8M]"), "[   never]");
}

}  // namespace
