// Absolute and relative times as the user types them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "params/time_values.h"
#include "platform/win32.h"

namespace {

constexpr uint64_t Second = 10000000;
constexpr uint64_t Minute = 60 * Second;
constexpr uint64_t Hour = 60 * Minute;
constexpr uint64_t Day = 24 * Hour;

class TimeValuesTest : public testing::Test {
 protected:
  void SetUp() override { UseZone("UTC"); }
  void TearDown() override { UseZone("UTC"); }
  void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
};

TimeValue At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  SYSTEMTIME time = {(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, (WORD)second, (WORD)ms};
  FILETIME value = {};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &value));
  return TimeValueOf(value);
}

SYSTEMTIME Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

TimeValue Now() {
  SYSTEMTIME now = Today();
  return At(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

// "value" when the text parses, else what the parser printed.
std::string Parse(int (*parser)(const char*, TimeValue*), const char* text, TimeValue* value) {
  testing::internal::CaptureStderr();
  int result = parser(text, value);
  std::string errors = testing::internal::GetCapturedStderr();
  return result == 1 && errors.empty() ? "value" : errors;
}

void ExpectTime(const char* text, TimeValue expected) {
  TimeValue value = 0;
  EXPECT_EQ(Parse(ParseAbsTime, text, &value), "value") << text;
  EXPECT_EQ(value, expected) << text;
}

std::string Refusal(int (*parser)(const char*, TimeValue*), const char* text) {
  TimeValue value = 0;
  return Parse(parser, text, &value);
}

// The parse of a relative time lies `offset` from the present, read around it.
void ExpectFromNow(const char* text, int64_t offset) {
  TimeValue before = Now(), value = 0;
  ASSERT_EQ(Parse(ParseDeltaTime, text, &value), "value") << text;
  EXPECT_GE(value, before + offset) << text;
  EXPECT_LE(value, Now() + offset) << text;
}

TEST_F(TimeValuesTest, DatesAndTimesOfTheDay) {
  ExpectTime("NEVER", TimeNever);
  ExpectTime("12/24/2024 18:30", At(2024, 12, 24, 18, 30));
  ExpectTime("24.12.2024 1:2:3:4:5", At(2024, 12, 24, 1, 2, 3, 4));  // a fifth field is not read
  ExpectTime("24.12.2024.7 10:", At(2024, 12, 24, 10));              // nor a fourth date field
  ExpectTime("24.12.", At(Today().wYear, 12, 24));
  ExpectTime("1.1.67560", At(2024, 1, 1));  // the year is kept in 16 bits: 67560 - 65536
  // The x lies beyond the 31st character: it is never read.
  ExpectTime("24.12.2024 10:00:00:500:00000000x", At(2024, 12, 24, 10, 0, 0, 500));
  UseZone("Europe/Berlin");  // the wall clock as written, even a skipped 02:30
  ExpectTime("31.3.2024 2:30", At(2024, 3, 31, 2, 30));
}

TEST_F(TimeValuesTest, RefusedDatesAndTimes) {
  EXPECT_EQ(Refusal(ParseAbsTime, "neverx"), "invalid date 'neverx'\n");
  EXPECT_EQ(Refusal(ParseAbsTime, "24-12-2024"), "invalid date '24-12-2024'\n");
  EXPECT_EQ(Refusal(ParseAbsTime, " 18:30"), "invalid date ''\n");
  EXPECT_EQ(Refusal(ParseAbsTime, "12/24.2024"), "invalid character '.' in date '12/24.2024'\n");
  EXPECT_EQ(Refusal(ParseAbsTime, "24.12.2024  6:00"), "invalid character ' ' in time ' 6:00'\n");
  EXPECT_EQ(Refusal(ParseDeltaTime, "d1.5"), "invalid character '.' in days '1.5'\n");
  EXPECT_EQ(Refusal(ParseAbsTime, "D1 2:3x"), "invalid character 'x' in time '2:3x'\n");
  for (const char* text : {"24.12.24", "29.2.2023", "1.2.2024 0:60", "1.2.2024 0:0:0:1000", ".12.2024", "13/1/2024",
                           "d3000000", "D30000000", "d99999999999999999999", "D 9999999999999999"})
    EXPECT_EQ(Refusal(ParseAbsTime, text), std::string("invalid date / time '") + text + "' (out of bounds)\n");
}

TEST_F(TimeValuesTest, RelativeTimesFromNow) {
  ExpectFromNow("d7", -7 * (int64_t)Day);
  ExpectFromNow("d 2:30", -(int64_t)(2 * Hour + 30 * Minute));
  ExpectFromNow("D1 2:3:4:5", (int64_t)(Day + 2 * Hour + 3 * Minute + 4 * Second + 5 * 10000));
  ExpectFromNow("x5", 0);  // no direction: the present time
  ExpectFromNow("D3000000", (int64_t)(3000000 * Day));  // beyond 32-bit products
  ExpectFromNow("d0:0:4294967296", -(int64_t)(4294967296ull * Second));
  TimeValue value = 0;
  UseZone("JST-9");  // local, not UTC
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  EXPECT_EQ(Parse(ParseDeltaTime, "D0", &value), "value");
  EXPECT_GE(value, At(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond) + 9 * Hour);
}


}  // namespace
