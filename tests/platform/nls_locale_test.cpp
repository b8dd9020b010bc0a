// The user's locale, read from the environment: code pages, separators,
// pictures and names. The locales are compiled into the test's own tree,
// so the test needs no locale installed on the machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/posix/nls_codepage.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/nls_locale.h"
#include "platform/win32.h"
#include "support/temp_tree.h"

namespace {

class UserLocaleTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Tree = std::make_unique<TempTree>();
    Built = Compile("de_DE", "ISO-8859-1", "de_DE.iso88591") && Compile("fr_FR", "UTF-8", "fr_FR.utf8");
  }
  static void TearDownTestSuite() { Tree.reset(); }

  static bool Compile(const char* source, const char* charmap, const char* name) {
    std::string command = std::string("localedef -i ") + source + " -f " + charmap + " '" + Tree->path(name) +
                          "' >/dev/null 2>&1";
    std::system(command.c_str());
    return std::system(("test -f '" + Tree->path(name) + "/LC_CTYPE'").c_str()) == 0;
  }

  void SetUp() override {
    if (!Built) GTEST_SKIP() << "localedef cannot build the test locales here";
    setenv("LOCPATH", Tree->root().c_str(), 1);
  }
  void TearDown() override {
    unsetenv("LOCPATH");
    setenv("LC_ALL", "C.UTF-8", 1);
    ResetLayerState();
  }

  void UseLocale(const char* name) {
    setenv("LC_ALL", name, 1);
    ResetLayerState();
  }

  static std::string Info(LCTYPE type) {
    char text[32];
    int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
    return written > 0 ? std::string(text, written - 1) : "<error>";
  }

  static std::string Date(const char* picture) {
    SYSTEMTIME time = {2024, 3, 0, 5, 18, 5, 9, 0};  // Tuesday, 5 March 2024
    char text[64];
    int written = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, text, sizeof text);
    return written > 0 ? std::string(text, written - 1) : "<error>";
  }

  static std::unique_ptr<TempTree> Tree;
  static bool Built;
};

std::unique_ptr<TempTree> UserLocaleTest::Tree;
bool UserLocaleTest::Built = false;

TEST_F(UserLocaleTest, LegacyCodesetGivesWesternCodePages) {
  UseLocale("de_DE.ISO-8859-1");
  EXPECT_STREQ(UserCodeset(), "ISO-8859-1");
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(CurrentCodePages().Oem, 850u);
  char text[] = "\xE4rger";
  CharUpperA(text);
  EXPECT_STREQ(text, "\xC4RGER");
  UseLocale("fr_FR.UTF-8");
  EXPECT_EQ(GetACP(), (UINT)CP_UTF8);
}

TEST_F(UserLocaleTest, SeparatorFromTheLocale) {
  UseLocale("de_DE.ISO-8859-1");
  EXPECT_EQ(Info(LOCALE_STHOUSAND), ".");
}

TEST_F(UserLocaleTest, MultibyteSeparatorFitsTheEnginesBuffer) {
  UseLocale("fr_FR.UTF-8");
  char separator[4];
  ASSERT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator), 4);
  EXPECT_STREQ(separator, "\xE2\x80\xAF");  // narrow no-break space
}

TEST_F(UserLocaleTest, NamesComeFromTheLocale) {
  UseLocale("de_DE.ISO-8859-1");
  EXPECT_EQ(Date("ddd, d. MMMM yyyy"), "Di, 5. M\xE4rz 2024");
  EXPECT_EQ(Date("dddd MMM"), "Dienstag M\xE4r");
}

TEST_F(UserLocaleTest, MissingLocaleFallsBackToC) {
  UseLocale("xx_NOWHERE.UTF-8");
  EXPECT_EQ(Info(LOCALE_STHOUSAND), ",");
  EXPECT_EQ(GetACP(), (UINT)CP_UTF8);
  EXPECT_EQ(Date("MMMM"), "March");
}

}  // namespace
