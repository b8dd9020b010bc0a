// GetNumberFormatA and GetLocaleInfoA as the format engine calls them: whole
// numbers, groups, separators, the two negative forms, refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/posix/layer_state.h"
#include "platform/posix/nls_locale.h"
#include "platform/win32.h"

namespace {

class NumberFormatTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    ResetLayerState();
  }
  void TearDown() override { ResetLayerState(); }
};

NUMBERFMTA Format(UINT grouping, const char* thousands, UINT negativeOrder = 0, UINT digits = 0,
                  UINT leadingZero = 0) {
  return NUMBERFMTA{digits, leadingZero, grouping, (LPSTR) ",", (LPSTR)thousands, negativeOrder};
}

std::string Formatted(const char* value, const NUMBERFMTA* format) {
  char text[64];
  int written = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, format, text, sizeof text);
  return written > 0 ? std::string(text, written - 1) : "<error " + std::to_string(GetLastError()) + ">";
}

std::string Formatted(const char* value, NUMBERFMTA format) { return Formatted(value, &format); }

TEST_F(NumberFormatTest, GroupsWithTheGivenSeparator) {
  EXPECT_EQ(Formatted("1234567", Format(3, ",")), "1,234,567");
  EXPECT_EQ(Formatted("1234567", Format(3, "\xE2\x80\xAF")), "1\xE2\x80\xAF" "234\xE2\x80\xAF" "567");
  EXPECT_EQ(Formatted("123", Format(3, ",")), "123");
  EXPECT_EQ(Formatted("1234", Format(3, "")), "1234");
  EXPECT_EQ(Formatted("0", Format(3, ",")), "0");
  EXPECT_EQ(Formatted("000123", Format(3, ",")), "123");
  EXPECT_EQ(Formatted("123456789", Format(2, ",")), "1,23,45,67,89");
  EXPECT_EQ(Formatted("123456789", Format(0, ",")), "123456789");
  EXPECT_EQ(Formatted("12345678901234567890", Format(3, ".")), "12.345.678.901.234.567.890");
}

TEST_F(NumberFormatTest, NegativeForms) {
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 0)), "(1,234)");
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 1)), "-1,234");
  EXPECT_EQ(Formatted("-2147483648", Format(3, ".", 0)), "(2.147.483.648)");
}

TEST_F(NumberFormatTest, RefusesWhatItDoesNotLayOut) {
  for (const char* value : {"", "-", "12a", "1.5", "--1", "+1", " 1", "1e5"}) {
    NUMBERFMTA format = Format(3, ",");
    SetLastError(0);
    EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, &format, nullptr, 0), 0) << value;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER) << value;
  }
  for (NUMBERFMTA format : {Format(3, ",", 2), Format(3, ",", 0, 2), Format(32, ",")}) {
    SetLastError(0);
    EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1", &format, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1", nullptr, nullptr, 0), 0);
  NUMBERFMTA format = Format(3, ",");
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, "1", &format, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}

TEST_F(NumberFormatTest, SizeQueryAndShortBuffer) {
  NUMBERFMTA format = Format(3, ",", 0);
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "-1234567", &format, nullptr, 0), 12);
  char text[11] = "xxxxxxxxxx";
  SetLastError(0);
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "-1234567", &format, text, sizeof text), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_STREQ(text, "xxxxxxxxxx");
  char exact[12];
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "-1234567", &format, exact, sizeof exact), 12);
  EXPECT_STREQ(exact, "(1,234,567)");
}

TEST_F(NumberFormatTest, ThousandsSeparatorOfALocaleWithoutOneIsTheInvariantComma) {
  char separator[4];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator), 2);
  EXPECT_STREQ(separator, ",");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, nullptr, 0), 2);
  char small[1];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x0E, separator, sizeof separator), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}

}  // namespace
