// National-language calls at their edges: whole numbers and their buffer, local
// time around clock changes and the file-time range (the rest is in output_*.t).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/posix/file_info.h"
#include "platform/posix/layer_state.h"
#include "platform/win32.h"

namespace {

constexpr uint64_t Hour = 36000000000ull;

void UseZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
  ResetLayerState();  // the layer reads TZ once
}

class NlsTest : public testing::Test {
 protected:
  void SetUp() override { UseZone("UTC"); }
  void TearDown() override {
    ResetLayerState();
    UseZone("UTC");
  }
};

// The format the listing uses: no fraction, groups of three, (negative).
std::string Grouped(const char* value, const char* separator, int capacity = 64) {
  NUMBERFMTA format = {0, 0, 3, (LPSTR) ",", (LPSTR)separator, 0};
  char text[64];
  int written = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, &format, text, capacity);
  return written > 0 ? std::string(text, written - 1) : "<error " + std::to_string(GetLastError()) + ">";
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

TEST_F(NlsTest, LocalTimeFollowsTheRulesOfEachInstant) {
  UseZone("Europe/Berlin");
  EXPECT_EQ(ToLocal(Ticks(At(2024, 1, 15, 12))), Ticks(At(2024, 1, 15, 13)));
  EXPECT_EQ(ToLocal(Ticks(At(2024, 7, 15, 12))), Ticks(At(2024, 7, 15, 14)));
  UseZone("CET-1CEST,M3.5.0,M10.5.0/3");  // a rule holds beyond time_t's usual range
  EXPECT_EQ(ToLocal(Ticks(At(30000, 7, 1, 12))), Ticks(At(30000, 7, 1, 14)));
  UseZone("America/St_Johns");  // summer time from 05:30 UTC: within the hour, each side keeps its offset
  EXPECT_EQ(ToLocal(Ticks(At(2026, 3, 8, 5))), Ticks(At(2026, 3, 8, 1, 30)));
  EXPECT_EQ(ToLocal(Ticks(At(2026, 3, 8, 5, 30))), Ticks(At(2026, 3, 8, 3)));
  EXPECT_EQ(ToLocal(Ticks(At(2026, 3, 8, 5, 29, 59))), Ticks(At(2026, 3, 8, 1, 59, 59)));
  EXPECT_EQ(ToLocal(Ticks(At(2026, 3, 8, 4))), Ticks(At(2026, 3, 8, 0, 30)));
  UseZone("UTC");  // a new zone lets go of the kept hours
  EXPECT_EQ(ToLocal(Ticks(At(2026, 3, 8, 4))), Ticks(At(2026, 3, 8, 4)));
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

}  // namespace
