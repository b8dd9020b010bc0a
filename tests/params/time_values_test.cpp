// Absolute and relative times as the user types them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "params/time_values.h"
#include "platform/win32.h"

namespace {

constexpr uint64_t Millisecond = 10000;
constexpr uint64_t Minute = 600000000;
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

TimeValue Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return At(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

TimeValue Today(int hour = 0, int minute = 0) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return At(now.wYear, now.wMonth, now.wDay, hour, minute);
}

struct Outcome {
  int result;
  TimeValue value;
  std::string errors;
};

Outcome Parse(int (*parser)(const char*, TimeValue*), const char* text) {
  Outcome outcome = {0, 0, ""};
  testing::internal::CaptureStderr();
  outcome.result = parser(text, &outcome.value);
  outcome.errors = testing::internal::GetCapturedStderr();
  return outcome;
}

Outcome Absolute(const char* text) { return Parse(ParseAbsTime, text); }
Outcome Delta(const char* text) { return Parse(ParseDeltaTime, text); }

void ExpectTime(const char* text, TimeValue expected) {
  Outcome outcome = Absolute(text);
  EXPECT_EQ(outcome.result, 1) << text;
  EXPECT_EQ(outcome.value, expected) << text;
  EXPECT_EQ(outcome.errors, "") << text;
}

void ExpectRefused(int (*parser)(const char*, TimeValue*), const char* text, const std::string& message) {
  Outcome outcome = Parse(parser, text);
  EXPECT_EQ(outcome.result, 0) << text;
  EXPECT_EQ(outcome.errors, message) << text;
}

// The parse of a relative time lies `offset` from the present, read around it.
void ExpectFromNow(const char* text, int64_t offset) {
  TimeValue before = Now();
  Outcome outcome = Delta(text);
  TimeValue after = Now();
  ASSERT_EQ(outcome.result, 1) << text << ": " << outcome.errors;
  EXPECT_GE(outcome.value, before + offset) << text;
  EXPECT_LE(outcome.value, after + offset) << text;
}

TEST_F(TimeValuesTest, NeverInAnyCase) {
  for (const char* text : {"never", "NEVER", "Never"}) ExpectTime(text, TimeNever);
  ExpectRefused(ParseAbsTime, "neverx", "invalid date 'neverx'\n");
}

TEST_F(TimeValuesTest, DatesAndTimesOfTheDay) {
  ExpectTime("24.12.2024", At(2024, 12, 24));
  ExpectTime("12/24/2024 18:30", At(2024, 12, 24, 18, 30));
  ExpectTime("24.12.2024 10:00:00:500", At(2024, 12, 24, 10, 0, 0, 500));
  ExpectTime("2/29/2024 23:59:59:999", At(2024, 2, 29, 23, 59, 59, 999));
  ExpectTime("24.12.2024 10:", At(2024, 12, 24, 10));
  ExpectTime("24.12.2024 1:2:3:4:5", At(2024, 12, 24, 1, 2, 3, 4));  // a fifth field is not read
  ExpectTime("24.12.2024.7", At(2024, 12, 24));                      // nor a fourth date field
}

TEST_F(TimeValuesTest, MissingFieldsComeFromToday) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  ExpectTime("24.12.", At(now.wYear, 12, 24));
  ExpectTime("12/24", At(now.wYear, 12, 24));
  ExpectTime("18:30", Today(18, 30));
  ExpectTime("1.", At(now.wYear, now.wMonth, 1));
}

TEST_F(TimeValuesTest, YearIsTakenAsWrittenIntoSixteenBits) {
  ExpectRefused(ParseAbsTime, "24.12.24", "invalid date / time '24.12.24' (out of bounds)\n");
  ExpectTime("1.1.67560", At(2024, 1, 1));  // 67560 - 65536
}

TEST_F(TimeValuesTest, DatesWithoutSeparatorOrWithStrayCharacters) {
  ExpectRefused(ParseAbsTime, "2024", "invalid date '2024'\n");
  ExpectRefused(ParseAbsTime, "24-12-2024", "invalid date '24-12-2024'\n");
  ExpectRefused(ParseAbsTime, "", "invalid date ''\n");
  ExpectRefused(ParseAbsTime, " 18:30", "invalid date ''\n");
  ExpectRefused(ParseAbsTime, "12/24.2024", "invalid character '.' in date '12/24.2024'\n");
  ExpectRefused(ParseAbsTime, "24.12.2024x 10:00", "invalid character 'x' in date '24.12.2024x'\n");
  ExpectRefused(ParseAbsTime, "24.12.2024 6pm", "invalid character 'p' in time '6pm'\n");
  ExpectRefused(ParseAbsTime, "24.12.2024  6:00", "invalid character ' ' in time ' 6:00'\n");
  ExpectRefused(ParseAbsTime, "6:00pm", "invalid character 'p' in time '6:00pm'\n");
}

TEST_F(TimeValuesTest, FieldsOutOfBounds) {
  for (const char* text : {"31.4.2024", "29.2.2023", "1.2.2024 25:00", "1.2.2024 0:60", "1.2.2024 0:0:0:1000",
                           "24..2024", ".12.2024", "13/1/2024", "31.12.1600"}) {
    ExpectRefused(ParseAbsTime, text, std::string("invalid date / time '") + text + "' (out of bounds)\n");
  }
  ExpectTime("29.2.2024", At(2024, 2, 29));
}

TEST_F(TimeValuesTest, LongTextsAreCutTo31Characters) {
  // The x lies beyond the 31st character: it is never read.
  ExpectTime("24.12.2024 10:00:00:500:00000000x", At(2024, 12, 24, 10, 0, 0, 500));
  ExpectRefused(ParseAbsTime, "99.12.2024 10:00:00:500:00000000x",
                "invalid date / time '99.12.2024 10:00:00:500:0000000' (out of bounds)\n");
}

TEST_F(TimeValuesTest, WallClockTimesIgnoreDaylightSaving) {
  UseZone("Europe/Berlin");
  // 02:30 was skipped in Berlin that night; the value holds the wall clock as written.
  ExpectTime("31.3.2024 2:30", At(2024, 3, 31, 2, 30));
}

TEST_F(TimeValuesTest, RelativeTimesFromNow) {
  ExpectFromNow("d7", -7 * (int64_t)Day);
  ExpectFromNow("D1", (int64_t)Day);
  ExpectFromNow("d 2:30", -(int64_t)(2 * Hour + 30 * Minute));
  ExpectFromNow("d1 12", -36 * (int64_t)Hour);
  ExpectFromNow("d0:90", -90 * (int64_t)Minute);
  ExpectFromNow("D1 2:3:4:5", (int64_t)(Day + 2 * Hour + 3 * Minute + 4 * 10000000 + 5 * Millisecond));
  ExpectFromNow("d", 0);
  ExpectFromNow("x5", 0);  // no direction: the present time
}

TEST_F(TimeValuesTest, RelativeTimesThroughTheAbsoluteParser) {
  TimeValue before = Now();
  Outcome outcome = Absolute("d7");
  TimeValue after = Now();
  ASSERT_EQ(outcome.result, 1);
  EXPECT_GE(outcome.value, before - 7 * Day);
  EXPECT_LE(outcome.value, after - 7 * Day);
}

TEST_F(TimeValuesTest, RelativeTimesAreLocal) {
  UseZone("JST-9");
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  TimeValue utcNow = At(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond, utc.wMilliseconds);
  Outcome outcome = Delta("D0");
  ASSERT_EQ(outcome.result, 1);
  EXPECT_GE(outcome.value, utcNow + 9 * Hour);
  EXPECT_LT(outcome.value, utcNow + 9 * Hour + 60 * 10000000ull);
}

TEST_F(TimeValuesTest, RelativeTimesWithStrayCharacters) {
  ExpectRefused(ParseDeltaTime, "d1x", "invalid character 'x' in days '1x'\n");
  ExpectRefused(ParseDeltaTime, "d1.5", "invalid character '.' in days '1.5'\n");
  ExpectRefused(ParseDeltaTime, "d 2:3x", "invalid character 'x' in time '2:3x'\n");
  ExpectRefused(ParseDeltaTime, "d1 -2", "invalid character '-' in time '-2'\n");
  ExpectRefused(ParseAbsTime, "D1x", "invalid character 'x' in days '1x'\n");
}

TEST_F(TimeValuesTest, LargeOffsetsAreComputedIn64Bits) {
  // 3,000,000 days and 71,582,789 hours overflow 32-bit products.
  ExpectFromNow("D3000000", (int64_t)(3000000 * Day));
  ExpectFromNow("D 71582789", (int64_t)(71582789 * Hour));
  ExpectFromNow("d0:0:4294967296", -(int64_t)(4294967296ull * 10000000));
}

TEST_F(TimeValuesTest, OffsetsBeyondTheTimeRangeAreRefused) {
  ExpectRefused(ParseDeltaTime, "d3000000", "invalid date / time 'd3000000' (out of bounds)\n");  // before 1601
  ExpectRefused(ParseDeltaTime, "D30000000", "invalid date / time 'D30000000' (out of bounds)\n");
  ExpectRefused(ParseDeltaTime, "d99999999999999999999",
                "invalid date / time 'd99999999999999999999' (out of bounds)\n");
  ExpectRefused(ParseDeltaTime, "D 9999999999999999",
                "invalid date / time 'D 9999999999999999' (out of bounds)\n");
}

}  // namespace
