// The national-language calls at their edges: whole numbers and their
// buffer, the calendar's bounds, local time around clock changes, code pages
// and upper-casing. Locale names, separators and pictures are in
// output_formats.t and output_codepage.t.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/posix/file_info.h"
#include "platform/posix/layer_state.h"
#include "support/use_codeset.h"
#include "platform/win32.h"

namespace {

constexpr uint64_t Hour = 36000000000ull;

void UseZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
}

class NlsTest : public testing::Test {
 protected:
  void SetUp() override { UseZone("UTC"); }
  void TearDown() override {
    ResetLayerState();
    UseZone("UTC");
  }
};

std::string Text(int written, const char* text) {
  return written > 0 ? std::string(text, written - 1) : "<error " + std::to_string(GetLastError()) + ">";
}

// The format the listing uses: no fraction, groups of three, (negative).
std::string Grouped(const char* value, const char* separator, int capacity = 64) {
  NUMBERFMTA format = {0, 0, 3, (LPSTR) ",", (LPSTR)separator, 0};
  char text[64];
  return Text(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, &format, text, capacity), text);
}

SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  return SYSTEMTIME{(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, (WORD)second, (WORD)ms};
}

uint64_t Ticks(const SYSTEMTIME& time) {
  FILETIME value = {};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &value));
  return ((uint64_t)value.dwHighDateTime << 32) | value.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) { return FILETIME{(DWORD)ticks, (DWORD)(ticks >> 32)}; }

uint64_t ToLocal(uint64_t utc) {
  FILETIME in = FromTicks(utc), out = {};
  EXPECT_TRUE(FileTimeToLocalFileTime(&in, &out));
  return ((uint64_t)out.dwHighDateTime << 32) | out.dwLowDateTime;
}

TEST_F(NlsTest, WholeNumbersAreGroupedByThrees) {
  EXPECT_EQ(Grouped("0", ","), "0");
  EXPECT_EQ(Grouped("0001234", ","), "1,234");
  EXPECT_EQ(Grouped("1234567", "."), "1.234.567");
  EXPECT_EQ(Grouped("1234567", "\xE2\x80\xAF"), "1\xE2\x80\xAF" "234\xE2\x80\xAF" "567");
  EXPECT_EQ(Grouped("-2147483648", "."), "(2.147.483.648)");
  EXPECT_EQ(Grouped("12a", ","), "<error 87>");
  char text[8];
  SYSTEMTIME april31 = At(2024, 4, 31);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &april31, "d", text, sizeof text), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Grouped("1234567", ",", 10), "1,234,567");
  EXPECT_EQ(Grouped("1234567", ",", 9), "<error 122>");
}

TEST_F(NlsTest, CalendarWithinWin32Bounds) {
  EXPECT_EQ(Ticks(At(1601, 1, 1)), 0u);
  EXPECT_EQ(Ticks(At(2024, 2, 29, 12, 34, 56, 789)), 133536836967890000u);
  FILETIME value = FromTicks(Ticks(At(30827, 12, 31, 23, 59, 59, 999)));
  SYSTEMTIME back = {};
  ASSERT_TRUE(FileTimeToSystemTime(&value, &back));
  EXPECT_EQ(back.wYear, 30827);
  EXPECT_EQ(back.wDayOfWeek, 5);
  for (const SYSTEMTIME& refused : {At(1600, 12, 31), At(30828, 1, 1), At(2023, 2, 29), At(1900, 2, 29),
                                    At(2024, 13, 1), At(2024, 1, 1, 24), At(2024, 1, 1, 0, 0, 0, 1000)}) {
    EXPECT_FALSE(SystemTimeToFileTime(&refused, &value)) << refused.wYear << "-" << refused.wMonth;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  }
}

TEST_F(NlsTest, LocalTimeFollowsTheRulesOfEachInstant) {
  UseZone("Europe/Berlin");
  EXPECT_EQ(ToLocal(Ticks(At(2024, 1, 15, 12))), Ticks(At(2024, 1, 15, 13)));
  EXPECT_EQ(ToLocal(Ticks(At(2024, 7, 15, 12))), Ticks(At(2024, 7, 15, 14)));
  UseZone("CET-1CEST,M3.5.0,M10.5.0/3");  // a rule holds beyond time_t's usual range
  EXPECT_EQ(ToLocal(Ticks(At(30000, 7, 1, 12))), Ticks(At(30000, 7, 1, 14)));
  UseZone("EST5");  // results stay within the file-time range
  EXPECT_EQ(ToLocal(2 * Hour), 0u);
  UseZone("JST-9");
  EXPECT_EQ(ToLocal(INT64_MAX - Hour), (uint64_t)INT64_MAX);
  FILETIME beyond = FromTicks(0x8000000000000000u), out = {};
  EXPECT_FALSE(FileTimeToLocalFileTime(&beyond, &out));
  // POSIX times past the year 30828 (up to 2^63-1 seconds) read as the largest file time.
  EXPECT_EQ(FileTimeFromPosix(910692730085LL, 999999999), (uint64_t)INT64_MAX);
  EXPECT_EQ(FileTimeFromPosix(INT64_MAX, 0), (uint64_t)INT64_MAX);
  EXPECT_EQ(FileTimeFromPosix(-11644473601LL, 0), 0u);
}

std::string Upper(std::string text) { return CharUpperA(text.data()); }

std::string ToOem(std::string text) {
  EXPECT_TRUE(CharToOemBuffA(text.data(), text.data(), (DWORD)text.size()));
  return text;
}

TEST_F(NlsTest, Utf8CodePage) {
  UseCodeset("UTF-8");
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, a-umlaut, euro, an emoji
  EXPECT_EQ(ToOem(text), text);
  EXPECT_EQ(Upper("stra\xC3\x9F" "e \xC3\xA4\xD0\xBF"), "STRA\xC3\x9F" "E \xC3\x84\xD0\x9F");
  EXPECT_EQ(Upper("\xC4\xB1x a\xFF"), "\xC4\xB1X A\xFF");  // dotless i keeps its length; bad bytes stay
}

TEST_F(NlsTest, Western8BitCodePages) {
  UseCodeset("CP1252");
  EXPECT_EQ(ToOem("\xDF\xC4\x93x\x94\x80"), "\xE1\x8E\"x\"?");
  EXPECT_EQ(Upper("abc\xE4\xE9\x9A\xFF\xDF"), "ABC\xC4\xC9\x8A\x9F\xDF");
}

}  // namespace
