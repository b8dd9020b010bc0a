// EntryMatchesCriteria where transcripts cannot reach yet: owners, access entries.
#include "walk/criteria.h"

#include <gtest/gtest.h>

#include "base/param_tables.h"
#include "base/settings.h"
#include "base/bounded_text.h"
#include "params/command_line.h"
#include "walk/run_values.h"

namespace {

// The values of one entry, laid out as the walker binds them.
struct Entry {
  char attributes[7] = "....A.";
  char owner[64] = "";
  int32_t aces = 0;
  PlaceholderEntry table[4] = {{PK_TEXT, 'a', attributes}, {PK_TEXT, 'o', owner}, {PK_NUMBER, 'T', &aces},
                               {PK_END, 0, nullptr}};
  bool Passes() { return EntryMatchesCriteria(table); }
};

class CriteriaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillParamTables();
    char line[] = "keltro sho";  // every criterion at its default
    ASSERT_EQ(ParseCommandLineText(line, ParameterTable, OptionTable, CriteriaTable, FormatTable), 0);
    WorkOutRunValues();
  }
  void TearDown() override { SetUp(); }  // leaves no criterion given for the tests after
  template <size_t N>
  void Give(char letter, char (&target)[N], const char* text) {
    CopyText(target, text);
    for (ParamDescriptor* row = CriteriaTable; row->type != PT_NONE; row++)
      if (row->letter == letter) row->status = PS_GIVEN;
    WorkOutRunValues();  // as after parsing: the run indexes the criteria given
  }
};

TEST_F(CriteriaTest, OwnerAndAceCountAndTextsOnlyWhenTyped) {
  Entry e;
  CopyText(AttribPattern, "*H*");  // text present, status still optional: not tested
  EXPECT_TRUE(e.Passes());
  Give('o', OwnerPattern, "*\\ADMINISTRATORS");
  Give('T', AceCountRange, "0:0");
  CopyText(e.owner, "BUILTIN\\Administrators");
  EXPECT_TRUE(e.Passes());
  e.aces = 1;
  EXPECT_FALSE(e.Passes());
  e.aces = 0;
  CopyText(e.owner, "BUILTIN\\Users");
  EXPECT_FALSE(e.Passes());
  e.table[1] = {PK_END, 0, nullptr};  // no owner read: the criterion is not tested
  EXPECT_TRUE(e.Passes());
}

}  // namespace
