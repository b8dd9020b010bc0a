// The attribute string and the per-entry values the walker binds.
#include "walk/file_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/settings.h"
#include "base/bounded_text.h"
#include "walk/path_compose.h"
#include "walk/run_values.h"

namespace {

std::string Attributes(DWORD bits) {
  char text[7];
  FormatAttributes(bits, text);
  return text;
}

TEST(FormatAttributesTest, SixLettersInFixedOrder) {
  EXPECT_EQ(Attributes(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), "R..A..");
  EXPECT_EQ(Attributes(FILE_ATTRIBUTE_DIRECTORY), ".....D");
  EXPECT_EQ(Attributes(0), "......");
  EXPECT_EQ(Attributes(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_DIRECTORY),
            "RHSACD");
  EXPECT_EQ(Attributes(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_HIDDEN), ".H....");
}

std::string Letters() {
  std::string letters;
  for (const PlaceholderEntry* e = FileValues; e->kind != PK_END; e++) letters += e->letter;
  return letters;
}

const PlaceholderEntry* Value(char letter) {
  for (const PlaceholderEntry* e = FileValues; e->kind != PK_END; e++) {
    if (e->letter == letter) return e;
  }
  return nullptr;
}

class FileValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WorkOutRunValues();
    NeedOwner = NeedSecurity = 0;
    ASSERT_TRUE(ComposeRootPath("", "C:", "\\data\\"));
  }
  void TearDown() override { NeedOwner = NeedSecurity = 0; }
};

TEST_F(FileValuesTest, OwnerAndAclEntriesExistOnlyWhenNeeded) {
  BindFileValues("", "", "C:");
  EXPECT_EQ(Letters(), "edNnsMLCafSD");
  NeedOwner = 1;
  BindFileValues("", "", "C:");
  EXPECT_EQ(Letters(), "edNnsMLCafSDuxo");
  NeedSecurity = 1;
  BindFileValues("", "", "C:");
  EXPECT_EQ(Letters(), "edNnsMLCafSDuxogT");
  NeedOwner = 0;
  BindFileValues("", "", "C:");
  EXPECT_EQ(Letters(), "edNnsMLCafSDgT");
}

TEST_F(FileValuesTest, FillTakesNameSizeAttributesAndPaths) {
  BindFileValues("", "", "C:");
  WIN32_FIND_DATAA entry = {};
  CopyText(entry.cFileName, "a.b.c");
  entry.nFileSizeHigh = 1;
  entry.nFileSizeLow = 705032704;  // 5,000,000,000 bytes
  entry.dwFileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(FillFileValues(&entry));
  EXPECT_STREQ((const char*)Value('N')->value, "a.b.c");
  EXPECT_STREQ((const char*)Value('n')->value, "a");
  EXPECT_STREQ((const char*)Value('f')->value, "C:\\data\\a.b.c");
  EXPECT_STREQ((const char*)Value('d')->value, "\\data\\");
  EXPECT_STREQ((const char*)Value('e')->value, "C:");
  EXPECT_STREQ((const char*)Value('a')->value, ".H.A..");
  EXPECT_EQ(*(const int32_t*)Value('s')->value, 705032704);
}

TEST_F(FileValuesTest, FullNamePastItsCapacityIsRefused) {
  BindFileValues("", "", "C:");
  std::string deep(PathCapacity - 12, 'x');
  CurrentDirPath[0] = '\0';
  ASSERT_TRUE(AppendText(CurrentDirPath, ("C:\\" + deep + "\\").c_str()));
  WIN32_FIND_DATAA entry = {};
  CopyText(entry.cFileName, "longer-than-the-rest");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(FillFileValues(&entry));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("path too long"), std::string::npos);
}

}  // namespace
