// GetDateFormatA and GetTimeFormatA with Win32 pictures, under the C locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/posix/layer_state.h"
#include "platform/posix/nls_locale.h"
#include "platform/win32.h"

namespace {

class PictureTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    ResetLayerState();
  }
};

// Tuesday, 24 December 2024, 18:05:09.
const SYSTEMTIME Evening = {2024, 12, 0, 24, 18, 5, 9, 0};

SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return SYSTEMTIME{(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, (WORD)second, 0};
}

std::string Result(int written, const char* text) {
  return written > 0 ? std::string(text, written - 1) : "<error " + std::to_string(GetLastError()) + ">";
}

std::string Date(const char* picture, const SYSTEMTIME& time = Evening, DWORD flags = 0) {
  char text[128];
  return Result(GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, text, sizeof text), text);
}

std::string Time(const char* picture, const SYSTEMTIME& time = Evening, DWORD flags = 0) {
  char text[128];
  return Result(GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, text, sizeof text), text);
}

TEST_F(PictureTest, DateFields) {
  EXPECT_EQ(Date("dd.MM.yyyy "), "24.12.2024 ");
  EXPECT_EQ(Date("d/M/y", At(2009, 1, 2)), "2/1/9");
  EXPECT_EQ(Date("dd/MM/yy", At(2009, 1, 2)), "02/01/09");
  EXPECT_EQ(Date("ddd dddd MMM MMMM"), "Tue Tuesday Dec December");
  EXPECT_EQ(Date("ddddd MMMMM yyyyy"), "Tuesday December 2024");
  EXPECT_EQ(Date("yyyy", At(1601, 1, 1)), "1601");
}

TEST_F(PictureTest, DayOfWeekComesFromTheDate) {
  SYSTEMTIME wrongDay = Evening;
  wrongDay.wDayOfWeek = 5;
  EXPECT_EQ(Date("dddd", wrongDay), "Tuesday");
  EXPECT_EQ(Date("ddd", At(2024, 2, 29)), "Thu");
}

TEST_F(PictureTest, QuotedAndOtherText) {
  EXPECT_EQ(Date("'day' d 'o''clock'"), "day 24 o'clock");
  EXPECT_EQ(Date("''d''"), "'24'");
  EXPECT_EQ(Date("d 'open"), "24 open");
  // Time letters are plain text in a date picture, and date letters in a time picture.
  EXPECT_EQ(Date("HH:mm d"), "HH:mm 24");
  EXPECT_EQ(Time("HH:mm d"), "18:05 d");
}

TEST_F(PictureTest, TimeFields) {
  EXPECT_EQ(Time("HH:mm"), "18:05");
  EXPECT_EQ(Time("h:mm tt"), "6:05 PM");
  EXPECT_EQ(Time("hh:mm:ss t"), "06:05:09 P");
  EXPECT_EQ(Time("h H hh HH", At(2024, 1, 1, 0, 7)), "12 0 12 00");
  EXPECT_EQ(Time("h:m:s tt", At(2024, 1, 1, 9, 7, 3)), "9:7:3 AM");
}

TEST_F(PictureTest, NoTimeTakesThePresent) {
  SYSTEMTIME before, after;
  char text[16];
  GetLocalTime(&before);
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, "yyyy", text, sizeof text), 0);
  GetLocalTime(&after);
  int year = atoi(text);
  EXPECT_TRUE(year == before.wYear || year == after.wYear) << text;
}

TEST_F(PictureTest, RefusedArguments) {
  EXPECT_EQ(Date("d", At(2024, 4, 31)), "<error 87>");
  EXPECT_EQ(Date("d", At(2024, 13, 1)), "<error 87>");
  EXPECT_EQ(Time("H", At(2024, 1, 1, 24)), "<error 87>");
  EXPECT_EQ(Date(nullptr), "<error 87>");
  EXPECT_EQ(Date("d", Evening, 1), "<error 1004>");
  EXPECT_EQ(Time("H", Evening, 0x100), "<error 1004>");
}

TEST_F(PictureTest, SizeQueryAndShortBuffer) {
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &Evening, "dd.MM.yyyy", nullptr, 0), 11);
  char text[10];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &Evening, "dd.MM.yyyy", text, sizeof text), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &Evening, "HH:mm", text, 6), 6);
  EXPECT_STREQ(text, "18:05");
}

}  // namespace
