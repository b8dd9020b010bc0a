// The sho handler: the entry's line, then one line per access-control entry.
#include "walk/entry_handling.h"
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
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(ShowEntryTest, TheFileLineThenOneLinePerAccessEntry) {
  CopyText(EntryValues.AclText, "D\\u:F");
  EXPECT_EQ(Show(), "C:\\data\\report.doc\n");  // no ~g format: no access lines
  CopyText(AceFormat, "[~o|~x|~u|~g] ~n ~d ~e");
  std::string longOwner = "D\\" + std::string(100, 'u');
  CopyText(EntryValues.AclText, ("BUILTIN\\Administrators:F  \\Everyone:X " + longOwner + ":R").c_str());
  EXPECT_EQ(Show(), "C:\\data\\report.doc\n"
                    "[BUILTIN\\Administrators|BUILTIN|Administrators|F] report \\data\\ C:\n"
                    "[\\Everyone||Everyone|X] report \\data\\ C:\n"
                    "[" + longOwner.substr(0, OwnerTextCapacity - 1) + "|D|" +
                        longOwner.substr(2, OwnerTextCapacity - 3) + "|R] report \\data\\ C:\n");
  EntryValues.AclText[0] = '\0';
  FileFormat[0] = '\0';
  EXPECT_EQ(Show(), "");
}

}  // namespace
