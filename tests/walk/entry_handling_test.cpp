// The handlers behind the walk: what sho prints for an entry, and the
// commands whose file actions are still to come.
#include "walk/entry_handling.h"

#include "output/standard_output.h"
#include "walk/file_values.h"
#include "walk_fixture.h"

namespace {

class ShowEntryTest : public WalkTest {
 protected:
  void SetUp() override {
    WalkTest::SetUp();
    NeedSecurity = 1;
    ASSERT_TRUE(ComposeRootPath("", "C:", "\\data\\"));
    BindFileValues("", "", "C:");
    WIN32_FIND_DATAA entry = {};
    CopyText(entry.cFileName, "report.doc");
    ASSERT_TRUE(FillFileValues(&entry));
  }
  std::string Show() {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ShowEntry());  // sho never flags an entry
    FlushOutput();
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(ShowEntryTest, PrintsTheFileLineThenOneLinePerAccessEntry) {
  CopyText(AceFormat, "[~o|~x|~u|~g] ~n ~d ~e");
  CopyText(EntryValues.AclText, "BUILTIN\\Administrators:F  Dom\\joe:R(OI)(CI) \\Everyone:X");
  EXPECT_EQ(Show(),
            "C:\\data\\report.doc\n"
            "[BUILTIN\\Administrators|BUILTIN|Administrators|F] report \\data\\ C:\n"
            "[Dom\\joe|Dom|joe|R(OI)(CI)] report \\data\\ C:\n"
            "[\\Everyone||Everyone|X] report \\data\\ C:\n");
}

TEST_F(ShowEntryTest, EntryWithoutAccessEntriesPrintsOnlyItsFileLine) {
  CopyText(AceFormat, "~o");
  EntryValues.AclText[0] = '\0';
  EXPECT_EQ(Show(), "C:\\data\\report.doc\n");
  FileFormat[0] = '\0';
  EXPECT_EQ(Show(), "");
}

TEST_F(ShowEntryTest, AccessLinesNeedTheirFormat) {
  CopyText(EntryValues.AclText, "D\\u:F");
  EXPECT_EQ(Show(), "C:\\data\\report.doc\n");
}

TEST_F(ShowEntryTest, LongOwnerPartsAreCutToTheirTexts) {
  CopyText(AceFormat, "~o");
  std::string longOwner = "D\\" + std::string(100, 'u');
  CopyText(EntryValues.AclText, (longOwner + ":F").c_str());
  EXPECT_EQ(Show(), "C:\\data\\report.doc\n" + longOwner.substr(0, OwnerTextCapacity - 1) + "\n");
}

// The changing commands say once per run that they are not available, change
// nothing, and the walk still counts the entries it handed them.
class PendingCommandTest : public WalkTest {
 protected:
  void SetUp() override {
    WalkTest::SetUp();
    tree.file("r/a", "1");
    tree.file("r/b", "22");
    tree.file("r/sub/c", "333");
    DirFormat[0] = '\0';
  }
  void Expect(CommandCode code, const char* word) {
    CurrentCommand = code;
    CopyText(CommandWord, word);
    EXPECT_EQ(Walk("\\r\\"), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, std::string("KELTRO-ERROR, ") + word + " is not available yet\n");
    EXPECT_EQ(Stats.Files, 4);
    EXPECT_EQ(Stats.ErrorsDetected, 0);
  }
};

TEST_F(PendingCommandTest, Delete) {
  RemoveDirs = 1;
  WholeDirectorySpec = 1;
  Expect(CMD_DEL, "delete");
  RemoveDirs = WholeDirectorySpec = 0;
  EXPECT_TRUE(std::filesystem::exists(tree.path("r/sub/c")));
}

TEST_F(PendingCommandTest, Set) {
  Expect(CMD_SET, "set");
}

TEST_F(PendingCommandTest, CopyUpdateMirror) {
  CopyText(TargetPath, "C:\\target\\");
  Expect(CMD_MIR, "mir");
  EXPECT_STREQ(TargetPath, "C:\\target\\");  // extended and cut back around the descent
  EXPECT_FALSE(std::filesystem::exists(tree.path("target")));
}

}  // namespace
