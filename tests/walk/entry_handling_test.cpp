// The sho handler: the entry's line, then one line per access-control entry.
#include "walk/entry_handling.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/settings.h"
#include "output/standard_output.h"
#include "base/bounded_text.h"
#include "walk/file_values.h"
#include "walk/path_compose.h"

namespace {

class ShowEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    AnsiOutput = NeedSecurity = 1;
    CopyText(FileFormat, "~f");
    AceFormat[0] = '\0';
    ASSERT_TRUE(ComposeRootPath("", "C:", "\\data\\"));
    BindFileValues("", "", "C:");
    WIN32_FIND_DATAA entry = {};
    CopyText(entry.cFileName, "report.doc");
    ASSERT_TRUE(FillFileValues(&entry, strlen(CurrentDirPath), false));
  }
  std::string Show() {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ShowEntry());  // sho never flags an entry
    FlushOutput();
    return testing::internal::GetCapturedStdout();
  }
  void TearDown() override { AnsiOutput = NeedSecurity = 0; }
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
