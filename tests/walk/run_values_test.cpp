// Which per-file data a run reads follows from its options, criteria and formats.
#include <gtest/gtest.h>

#include <string>

#include "base/bounded_text.h"
#include "base/param_tables.h"
#include "base/settings.h"
#include "params/command_line.h"
#include "walk/run_values.h"

namespace {

// Parses a command line with the program's tables; "owner", "security", both or none.
std::string Needs(const std::string& arguments) {
  FillParamTables();
  CopyText(DefaultFileFormat, "~f");
  std::string line = "keltro sho " + arguments;
  EXPECT_EQ(ParseCommandLineText(line.data(), ParameterTable, OptionTable, CriteriaTable, FormatTable), 0);
  WorkOutRunValues();
  return std::string(NeedOwner ? "owner" : "") + (NeedSecurity ? "security" : "");
}

TEST(PerFileNeeds, FromFormatsOptionsAndCriteria) {
  EXPECT_EQ(Needs(""), "");
  for (const char* args : {"~F\"~f ~o\"", "~F~x", "~F~-20u", "/oadmin", "-oroot", "~oowner", "~T\"~o owners\""})
    EXPECT_EQ(Needs(args), "owner") << args;
  for (const char* args : {"~F\"~f ~g\"", "~F\"~f ~T\"", "-T0:3", "-gF", "~g~g"})
    EXPECT_EQ(Needs(args), "security") << args;
  for (const char* args : {"/gEveryone:R", "/GEveryone:F"}) EXPECT_EQ(Needs(args), "ownersecurity") << args;
  EXPECT_EQ(Needs("~T\"~T files\" ~F~N"), "");
  // Only a placeholder counts: a letter further on in the text does not.
  for (const char* args : {"~Fo~f", "~Fx~yo~~g", "~T\"~T entries in ~d directories\""})
    EXPECT_EQ(Needs(args), "") << args;
}

}  // namespace
