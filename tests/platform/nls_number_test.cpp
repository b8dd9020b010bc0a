// GetNumberFormatA and GetLocaleInfoA: grouping, separators, rounding,
// negative forms and the locale's own conventions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/posix/nls_locale.h"
#include "platform/win32.h"

namespace {

class NumberFormatTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    ReloadUserLocale();
  }
  void TearDown() override { ReloadUserLocale(); }
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

std::string LocaleInfo(LCTYPE type) {
  char text[32];
  int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
  return written > 0 ? std::string(text, written - 1) : "<error>";
}

TEST_F(NumberFormatTest, GroupsWithTheGivenSeparator) {
  EXPECT_EQ(Formatted("1234567", Format(3, ",")), "1,234,567");
  EXPECT_EQ(Formatted("1234567", Format(3, ".")), "1.234.567");
  EXPECT_EQ(Formatted("1234567", Format(3, "\xE2\x80\xAF")), "1\xE2\x80\xAF" "234\xE2\x80\xAF" "567");
  EXPECT_EQ(Formatted("123", Format(3, ",")), "123");
  EXPECT_EQ(Formatted("1234", Format(3, ",")), "1,234");
  // A number without fraction digits keeps its one digit.
  EXPECT_EQ(Formatted("0", Format(3, ",")), "0");
  EXPECT_EQ(Formatted("0.4", Format(3, ",")), "0");
  EXPECT_EQ(Formatted("0.5", Format(3, ",", 0, 1)), ",5");  // no zero before the separator
  EXPECT_EQ(Formatted("0.5", Format(3, ",", 0, 1, 1)), "0,5");
  EXPECT_EQ(Formatted("0", Format(3, ",", 0, 0, 1)), "0");
  EXPECT_EQ(Formatted("000123", Format(3, ",")), "123");
}

TEST_F(NumberFormatTest, GroupingPatterns) {
  EXPECT_EQ(Formatted("123456789", Format(32, ",")), "12,34,56,789");
  EXPECT_EQ(Formatted("123456789", Format(30, ",")), "123456,789");
  EXPECT_EQ(Formatted("123456789", Format(0, ",")), "123456789");
}

TEST_F(NumberFormatTest, NegativeForms) {
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 0)), "(1,234)");
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 1)), "-1,234");
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 2)), "- 1,234");
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 3)), "1,234-");
  EXPECT_EQ(Formatted("-1234", Format(3, ",", 4)), "1,234 -");
  EXPECT_EQ(Formatted("-2147483648", Format(3, ".", 0)), "(2.147.483.648)");
  EXPECT_EQ(Formatted("-0", Format(3, ",", 1, 0, 1)), "-0");
}

TEST_F(NumberFormatTest, FractionDigitsAreRoundedOrPadded) {
  NUMBERFMTA two = {2, 1, 3, (LPSTR) ".", (LPSTR) ",", 1};
  EXPECT_EQ(Formatted("1234.5", two), "1,234.50");
  EXPECT_EQ(Formatted("2.675", two), "2.68");
  EXPECT_EQ(Formatted("2.674", two), "2.67");
  EXPECT_EQ(Formatted("999.995", two), "1,000.00");
  EXPECT_EQ(Formatted(".5", two), "0.50");
  two.LeadingZero = 0;
  EXPECT_EQ(Formatted("0.5", two), ".50");
  EXPECT_EQ(Formatted("-0.5", two), "-.50");
  EXPECT_EQ(Formatted("999.5", Format(3, ",")), "1,000");
  EXPECT_EQ(Formatted("12.4", Format(3, ",")), "12");
}

TEST_F(NumberFormatTest, RefusesWhatWin32Refuses) {
  for (const char* value : {"", "-", "12a", "1.2.3", "--1", "+1", " 1", "1e5"}) {
    NUMBERFMTA format = Format(3, ",");
    SetLastError(0);
    EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, &format, nullptr, 0), 0) << value;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER) << value;
  }
  NUMBERFMTA badOrder = Format(3, ",", 5);
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1", &badOrder, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  NUMBERFMTA format = Format(3, ",");
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, "1", &format, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}

TEST_F(NumberFormatTest, SizeQueryAndShortBuffer) {
  NUMBERFMTA format = Format(3, ",");
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567", &format, nullptr, 0), 10);
  char text[9] = "xxxxxxxx";
  SetLastError(0);
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567", &format, text, sizeof text), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  char exact[10];
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567", &format, exact, sizeof exact), 10);
  EXPECT_STREQ(exact, "1,234,567");
}

TEST_F(NumberFormatTest, LocaleWithoutSeparatorGetsInvariantConventions) {
  EXPECT_EQ(LocaleInfo(LOCALE_STHOUSAND), ",");
  EXPECT_EQ(LocaleInfo(LOCALE_SDECIMAL), ".");
  EXPECT_EQ(LocaleInfo(LOCALE_SGROUPING), "3;0");
  EXPECT_EQ(Formatted("-1234567.125", nullptr), "-1,234,567.13");
  // The format engine reads the separator into four bytes.
  char separator[4];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator), 2);
  EXPECT_STREQ(separator, ",");
}

TEST_F(NumberFormatTest, LocaleInfoSizesAndUnknownItems) {
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, nullptr, 0), 4);
  char small[2];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}

}  // namespace

namespace {

// Whole numbers take a short way; Grouping 33 means the same as 3 but takes
// the general one, so both must agree.
TEST(NumberFormatShortWay, AgreesWithTheGeneralWay) {
  for (const char* value : {"0", "7", "-7", "000123", "-0", "999", "1000", "-1000", "12345678901234567890",
                            "2147483647", "-2147483648"}) {
    for (UINT negativeOrder : {0u, 1u}) {
      for (const char* separator : {",", "\xE2\x80\xAF", ""}) {
        EXPECT_EQ(Formatted(value, Format(3, separator, negativeOrder)),
                  Formatted(value, Format(33, separator, negativeOrder)))
            << value << " order " << negativeOrder << " separator '" << separator << "'";
      }
    }
  }
}

}  // namespace
