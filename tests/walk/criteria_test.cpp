// EntryMatchesCriteria against the program's own criteria table.
#include "walk/criteria.h"

#include <gtest/gtest.h>

#include "base/param_tables.h"
#include "base/settings.h"
#include "base/bounded_text.h"
#include "params/command_line.h"
#include "walk/run_values.h"

namespace {

ParamDescriptor* Row(char letter) {
  for (ParamDescriptor* row = CriteriaTable; row->type != PT_NONE; row++) {
    if (row->letter == letter) return row;
  }
  return nullptr;
}

// The values of one entry, laid out as the walker binds them.
struct Entry {
  char attributes[7] = "....A.";
  int32_t size = 0;
  uint64_t written = 0, accessed = 0, created = 0;
  char owner[64] = "";
  int32_t aces = 0;
  PlaceholderEntry table[8];

  explicit Entry(bool withOwnerAndAcl = false) {
    int i = 0;
    table[i++] = {PK_NUMBER, 's', &size};
    table[i++] = {PK_FILETIME, 'M', &written};
    table[i++] = {PK_FILETIME, 'L', &accessed};
    table[i++] = {PK_FILETIME, 'C', &created};
    table[i++] = {PK_TEXT, 'a', attributes};
    if (withOwnerAndAcl) {
      table[i++] = {PK_TEXT, 'o', owner};
      table[i++] = {PK_NUMBER, 'T', &aces};
    }
    table[i] = {PK_END, 0, nullptr};
  }
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
  template <size_t N>
  void Give(char letter, char (&target)[N], const char* text) {
    CopyText(target, text);
    Row(letter)->status = PS_GIVEN;
  }
};

TEST_F(CriteriaTest, NothingTypedLetsEveryEntryPass) {
  Entry file(true);
  file.size = -5;
  CopyText(file.attributes, "RHSACD");
  EXPECT_TRUE(file.Passes());
}

TEST_F(CriteriaTest, AttributePatternSelectsHiddenEntriesAndDropsDirectories) {
  Give('a', AttribPattern, "*h*");  // case-insensitive
  Entry hidden, plain, hiddenDir;
  CopyText(hidden.attributes, ".H.A..");
  CopyText(hiddenDir.attributes, ".H...D");
  EXPECT_TRUE(hidden.Passes());
  EXPECT_TRUE(hiddenDir.Passes());
  EXPECT_FALSE(plain.Passes());

  Give('a', AttribPattern, "*.");
  EXPECT_TRUE(hidden.Passes());
  EXPECT_FALSE(hiddenDir.Passes());
}

TEST_F(CriteriaTest, PatternRowsOnlyTestWhenTyped) {
  CopyText(AttribPattern, "*H*");  // text present, status still optional
  Entry plain;
  EXPECT_TRUE(plain.Passes());
}

TEST_F(CriteriaTest, SizeRangeBoundsAreInclusiveAndSeeTheSignedLow32Bits) {
  Give('s', SizeRange, "10:20");
  Entry e;
  for (int32_t size : {10, 15, 20}) {
    e.size = size;
    EXPECT_TRUE(e.Passes()) << size;
  }
  for (int32_t size : {0, 9, 21}) {
    e.size = size;
    EXPECT_FALSE(e.Passes()) << size;
  }
  Give('s', SizeRange, "0:0");  // directories and empty files
  e.size = 0;
  EXPECT_TRUE(e.Passes());
  Give('s', SizeRange, "1000:");
  e.size = (int32_t)(uint32_t)3000000000u;  // -1,294,967,296
  EXPECT_FALSE(e.Passes());
  e.size = 1000;
  EXPECT_TRUE(e.Passes());
}

TEST_F(CriteriaTest, TimeWindowsAreInclusiveAtBothBounds) {
  const uint64_t t = 133500000000000000ull;
  Entry e;
  e.written = t;
  ModifiedBefore = t;  // -M at the exact time keeps the file
  EXPECT_TRUE(e.Passes());
  ModifiedBefore = t - 1;
  EXPECT_FALSE(e.Passes());

  ModifiedBefore = 0;
  ModifiedAfter = t;  // +M at the exact time keeps it too
  EXPECT_TRUE(e.Passes());
  ModifiedAfter = t + 1;
  EXPECT_FALSE(e.Passes());

  ModifiedAfter = t - 10;  // window around the time
  ModifiedBefore = t + 10;
  EXPECT_TRUE(e.Passes());
  ModifiedAfter = t + 10;  // lower bound later than the upper: nothing
  ModifiedBefore = t - 10;
  EXPECT_FALSE(e.Passes());
}

TEST_F(CriteriaTest, EachTimeCriterionTestsItsOwnTime) {
  const uint64_t t = 133500000000000000ull;
  Entry e;
  e.written = t;
  e.accessed = t + 100;
  e.created = t - 100;
  CreatedBefore = t - 100;
  AccessedAfter = t + 100;
  EXPECT_TRUE(e.Passes());
  CreatedBefore = t - 101;
  EXPECT_FALSE(e.Passes());
  CreatedBefore = 0;
  AccessedAfter = t + 101;
  EXPECT_FALSE(e.Passes());
}

TEST_F(CriteriaTest, UntypedUpperTimeBoundIsOpenedInTheTable) {
  Entry e;
  e.written = OpenUpperTimeBound;
  EXPECT_TRUE(e.Passes());
  EXPECT_EQ(ModifiedBefore, OpenUpperTimeBound);
  e.written = OpenUpperTimeBound + 1;
  EXPECT_FALSE(e.Passes());
}

TEST_F(CriteriaTest, OwnerPatternIgnoresCase) {
  Give('o', OwnerPattern, "*\\ADMINISTRATORS");
  Entry e(true);
  CopyText(e.owner, "BUILTIN\\Administrators");
  EXPECT_TRUE(e.Passes());
  CopyText(e.owner, "BUILTIN\\Users");
  EXPECT_FALSE(e.Passes());
}

TEST_F(CriteriaTest, CriterionWithoutItsValueIsNeverTested) {
  Give('o', OwnerPattern, "nobody");
  Give('T', AceCountRange, "5:9");
  Entry e(false);  // no owner and no ACE count read
  EXPECT_TRUE(e.Passes());
}

TEST_F(CriteriaTest, AceCountRangeKeepsEntriesWithoutAces) {
  Give('T', AceCountRange, "0:0");
  Entry e(true);
  EXPECT_TRUE(e.Passes());
  e.aces = 1;
  EXPECT_FALSE(e.Passes());
}

TEST_F(CriteriaTest, WideTextValuesAreMatchedAsAnsi) {
  Give('a', AttribPattern, "*H*");
  const char16_t hidden[] = u".H.A..";
  const char16_t plain[] = u"...A..";
  PlaceholderEntry table[] = {{PK_WTEXT, 'a', hidden}, {PK_END, 0, nullptr}};
  EXPECT_TRUE(EntryMatchesCriteria(table));
  table[0].value = plain;
  EXPECT_FALSE(EntryMatchesCriteria(table));
}

}  // namespace
