// Which per-file data a run reads follows from its options, criteria and formats.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "base/param_tables.h"
#include "base/settings.h"
#include "params/command_line.h"
#include "base/bounded_text.h"
#include "walk/run_values.h"

namespace {

// Parses a command line with the program's tables, then decides the needs.
void Decide(const std::string& arguments) {
  FillParamTables();
  CopyText(DefaultFileFormat, "~f");
  std::string line = "keltro sho " + arguments;
  ASSERT_EQ(ParseCommandLineText(line.data(), ParameterTable, OptionTable, CriteriaTable, FormatTable), 0);
  WorkOutRunValues();
}

TEST(PerFileNeeds, NothingByDefault) {
  Decide("");
  EXPECT_EQ(NeedOwner, 0);
  EXPECT_EQ(NeedSecurity, 0);
}

TEST(PerFileNeeds, OwnerFromFormatsOptionsAndCriteria) {
  for (const char* args : {"~F\"~f ~o\"", "~F~x", "~F~-20u", "/oadmin", "-oroot", "~oowner",
                           "~T\"~T files, ~o owners\"", "~Fx~yo"}) {
    Decide(args);
    EXPECT_EQ(NeedOwner, 1) << args;
    EXPECT_EQ(NeedSecurity, 0) << args;
  }
}

TEST(PerFileNeeds, SecurityFromFormatsOptionsAndCriteria) {
  for (const char* args : {"~F\"~f ~g\"", "~F\"~f ~T\"", "-T0:3", "-gF", "~g~g"}) {
    Decide(args);
    EXPECT_EQ(NeedSecurity, 1) << args;
  }
  for (const char* args : {"/gEveryone:R", "/GEveryone:F"}) {
    Decide(args);
    EXPECT_EQ(NeedSecurity, 1) << args;
    EXPECT_EQ(NeedOwner, 1) << args;
  }
}

TEST(PerFileNeeds, ATotalsFormatWithoutOwnersNeedsNothing) {
  Decide("~T\"~T files\" ~F~N");
  EXPECT_EQ(NeedOwner, 0);
  EXPECT_EQ(NeedSecurity, 0);
}

TEST(PerFileNeeds, LettersWithoutATildeBeforeThemDoNotCount) {
  Decide("~Fo~f");
  EXPECT_EQ(NeedOwner, 0);
}

}  // namespace
