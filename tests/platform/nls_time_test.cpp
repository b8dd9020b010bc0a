// File times, broken-down times and local time: Win32's range checks, the
// calendar, and local time by the TZ rules in force at each instant.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "platform/posix/file_info.h"
#include "platform/win32.h"

namespace {

constexpr uint64_t Second = 10000000;
constexpr uint64_t Hour = 3600 * Second;

class TimeConvertTest : public testing::Test {
 protected:
  void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  void SetUp() override { UseZone("UTC"); }
  void TearDown() override { UseZone("UTC"); }
};

SYSTEMTIME Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  SYSTEMTIME time = {};
  time.wYear = (WORD)year;
  time.wMonth = (WORD)month;
  time.wDay = (WORD)day;
  time.wHour = (WORD)hour;
  time.wMinute = (WORD)minute;
  time.wSecond = (WORD)second;
  time.wMilliseconds = (WORD)ms;
  return time;
}

FILETIME FromTicks(uint64_t ticks) { return FILETIME{(DWORD)(ticks & 0xFFFFFFFF), (DWORD)(ticks >> 32)}; }
uint64_t TicksOf(const FILETIME& time) { return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime; }

uint64_t Ticks(const SYSTEMTIME& time) {
  FILETIME value = {};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &value));
  return TicksOf(value);
}

uint64_t ToLocal(uint64_t utc) {
  FILETIME in = FromTicks(utc), out = {};
  EXPECT_TRUE(FileTimeToLocalFileTime(&in, &out));
  return TicksOf(out);
}

uint64_t ToUtc(uint64_t local) {
  FILETIME in = FromTicks(local), out = {};
  EXPECT_TRUE(LocalFileTimeToFileTime(&in, &out));
  return TicksOf(out);
}

TEST_F(TimeConvertTest, CalendarRoundTrips) {
  EXPECT_EQ(Ticks(Make(1601, 1, 1)), 0u);
  EXPECT_EQ(Ticks(Make(1970, 1, 1)), 116444736000000000u);
  EXPECT_EQ(Ticks(Make(2024, 2, 29, 12, 34, 56, 789)), 133536836967890000u);

  const SYSTEMTIME samples[] = {Make(1601, 1, 1), Make(1900, 2, 28, 23, 59, 59, 999), Make(2000, 2, 29, 1),
                                Make(2024, 12, 31, 18, 30), Make(30827, 12, 31, 23, 59, 59, 999)};
  for (const SYSTEMTIME& sample : samples) {
    FILETIME value = FromTicks(Ticks(sample));
    SYSTEMTIME back = {};
    ASSERT_TRUE(FileTimeToSystemTime(&value, &back));
    EXPECT_EQ(back.wYear, sample.wYear);
    EXPECT_EQ(back.wMonth, sample.wMonth);
    EXPECT_EQ(back.wDay, sample.wDay);
    EXPECT_EQ(back.wHour, sample.wHour);
    EXPECT_EQ(back.wMinute, sample.wMinute);
    EXPECT_EQ(back.wSecond, sample.wSecond);
    EXPECT_EQ(back.wMilliseconds, sample.wMilliseconds);
  }
}

TEST_F(TimeConvertTest, DayOfWeekComesFromTheDate) {
  struct {
    SYSTEMTIME date;
    WORD dayOfWeek;
  } cases[] = {{Make(1601, 1, 1), 1}, {Make(1970, 1, 1), 4}, {Make(2024, 2, 29), 4}, {Make(2024, 12, 24), 2}};
  for (auto& c : cases) {
    c.date.wDayOfWeek = 6;  // ignored on the way in
    FILETIME value = FromTicks(Ticks(c.date));
    SYSTEMTIME back = {};
    ASSERT_TRUE(FileTimeToSystemTime(&value, &back));
    EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek) << c.date.wYear << "-" << c.date.wMonth << "-" << c.date.wDay;
  }
}

TEST_F(TimeConvertTest, FieldsOutsideWin32BoundsAreRefused) {
  const SYSTEMTIME refused[] = {
      Make(1600, 12, 31), Make(30828, 1, 1),  Make(2024, 0, 1),         Make(2024, 13, 1),
      Make(2024, 1, 0),   Make(2024, 4, 31),  Make(2023, 2, 29),        Make(1900, 2, 29),
      Make(2024, 1, 1, 24), Make(2024, 1, 1, 0, 60), Make(2024, 1, 1, 0, 0, 60), Make(2024, 1, 1, 0, 0, 0, 1000),
  };
  for (const SYSTEMTIME& time : refused) {
    FILETIME value = {};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&time, &value))
        << time.wYear << "-" << time.wMonth << "-" << time.wDay << " " << time.wHour << ":" << time.wMinute;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  }
  FILETIME beyond = FromTicks(0x8000000000000000u);
  SYSTEMTIME out = {};
  EXPECT_FALSE(FileTimeToSystemTime(&beyond, &out));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(TimeConvertTest, LocalTimeFollowsTheRulesOfEachInstant) {
  UseZone("Europe/Berlin");
  EXPECT_EQ(ToLocal(Ticks(Make(2024, 1, 15, 12))), Ticks(Make(2024, 1, 15, 13)));
  EXPECT_EQ(ToLocal(Ticks(Make(2024, 7, 15, 12))), Ticks(Make(2024, 7, 15, 14)));
  EXPECT_EQ(ToUtc(Ticks(Make(2024, 7, 15, 14, 0, 0, 250))), Ticks(Make(2024, 7, 15, 12, 0, 0, 250)));
  EXPECT_EQ(ToUtc(Ticks(Make(2024, 1, 15, 13))), Ticks(Make(2024, 1, 15, 12)));

  // A POSIX rule applies to any year, however far from time_t's usual range.
  UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
  EXPECT_EQ(ToLocal(Ticks(Make(30000, 7, 1, 12))), Ticks(Make(30000, 7, 1, 14)));
  EXPECT_EQ(ToLocal(Ticks(Make(30000, 1, 1, 12))), Ticks(Make(30000, 1, 1, 13)));
}

TEST_F(TimeConvertTest, ClockChangesResolveToOneInstant) {
  UseZone("Europe/Berlin");
  // 02:30 on 31 March 2024 never happened: read with the offset before the change.
  EXPECT_EQ(ToUtc(Ticks(Make(2024, 3, 31, 2, 30))), Ticks(Make(2024, 3, 31, 1, 30)));
  // 02:30 on 27 October 2024 happened twice: the earlier one (summer time).
  EXPECT_EQ(ToUtc(Ticks(Make(2024, 10, 27, 2, 30))), Ticks(Make(2024, 10, 27, 0, 30)));
  // Every instant around both changes comes back to itself.
  for (uint64_t utc = Ticks(Make(2024, 3, 30, 22)); utc < Ticks(Make(2024, 3, 31, 4)); utc += Hour / 4)
    EXPECT_EQ(ToUtc(ToLocal(utc)), utc);
  for (uint64_t utc = Ticks(Make(2024, 10, 26, 22)); utc < Ticks(Make(2024, 10, 27, 0, 30)); utc += Hour / 4)
    EXPECT_EQ(ToUtc(ToLocal(utc)), utc);
}

TEST_F(TimeConvertTest, ResultsStayInsideTheFileTimeRange) {
  UseZone("EST5");
  EXPECT_EQ(ToLocal(0), 0u);
  EXPECT_EQ(ToLocal(2 * Hour), 0u);
  EXPECT_EQ(ToUtc(0), 5 * Hour);
  UseZone("JST-9");
  EXPECT_EQ(ToUtc(2 * Hour), 0u);
  EXPECT_EQ(ToLocal(INT64_MAX - Hour), (uint64_t)INT64_MAX);

  // POSIX times past the year 30828 (up to 2^63-1 seconds) read as the largest file time.
  EXPECT_EQ(FileTimeFromPosix(910692730085LL, 0), 9223372036850000000u);
  EXPECT_EQ(FileTimeFromPosix(910692730085LL, 999999999), (uint64_t)INT64_MAX);
  EXPECT_EQ(FileTimeFromPosix(INT64_MAX, 0), (uint64_t)INT64_MAX);
  EXPECT_EQ(FileTimeFromPosix(-11644473601LL, 0), 0u);

  FILETIME beyond = FromTicks(0x8000000000000000u), out = {};
  EXPECT_FALSE(FileTimeToLocalFileTime(&beyond, &out));
  EXPECT_FALSE(LocalFileTimeToFileTime(&beyond, &out));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(TimeConvertTest, PresentTimeIsLocalOrUtc) {
  UseZone("JST-9");
  SYSTEMTIME utcBefore, local, utcAfter;
  GetSystemTime(&utcBefore);
  GetLocalTime(&local);
  GetSystemTime(&utcAfter);
  uint64_t localTicks = Ticks(local);
  EXPECT_GE(localTicks, Ticks(utcBefore) + 9 * Hour);
  EXPECT_LE(localTicks, Ticks(utcAfter) + 9 * Hour);
  EXPECT_GE(local.wYear, 2024);
}

TEST_F(TimeConvertTest, CompareFileTimeOrdersBothWords) {
  FILETIME early = FromTicks(0x00000001FFFFFFFFu), late = FromTicks(0x0000000200000000u);
  EXPECT_EQ(CompareFileTime(&early, &late), -1);
  EXPECT_EQ(CompareFileTime(&late, &early), 1);
  EXPECT_EQ(CompareFileTime(&late, &late), 0);
  FILETIME never = FromTicks(~0ull);
  EXPECT_EQ(CompareFileTime(&late, &never), -1);
}

}  // namespace
