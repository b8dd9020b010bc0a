#include "walk/path_compose.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/statistics.h"

namespace {

std::string DirectoryPart() { return CurrentDirPath + DirectoryPartStart; }

TEST(ComposeRootPath, LocalDriveJoinsDriveAndDirectory) {
  ASSERT_TRUE(ComposeRootPath("", "C:", "\\data\\"));
  EXPECT_STREQ(CurrentDirPath, "C:\\data\\");
  EXPECT_EQ(DirectoryPart(), "\\data\\");

  ASSERT_TRUE(ComposeRootPath("", "C:", "\\"));
  EXPECT_STREQ(CurrentDirPath, "C:\\");
  EXPECT_EQ(DirectoryPart(), "\\");
}

TEST(ComposeRootPath, ShareJoinsServerShareAndDirectory) {
  ASSERT_TRUE(ComposeRootPath("\\\\SRV1", "DOCS", "\\2024\\"));
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\2024\\");
  EXPECT_EQ(DirectoryPart(), "\\2024\\");

  ASSERT_TRUE(ComposeRootPath("\\\\SRV1", "DOCS", ""));
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\");
  EXPECT_EQ(DirectoryPart(), "\\");
}

TEST(ComposeRootPath, RefusesARootPastTheCapacityAndKeepsThePath) {
  ASSERT_TRUE(ComposeRootPath("", "C:", "\\keep\\"));
  int errors = Stats.ErrorsDetected;
  // 2 + 509 characters fill the 511 the path holds; one more does not fit.
  std::string fits = "\\" + std::string(507, 'a') + "\\";
  std::string tooLong = "\\" + std::string(508, 'a') + "\\";

  testing::internal::CaptureStderr();
  EXPECT_FALSE(ComposeRootPath("", "C:", tooLong.c_str()));
  EXPECT_FALSE(ComposeRootPath("\\\\SRV1", "DOCS", tooLong.c_str()));
  std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_EQ(messages.rfind("KELTRO-ERROR, path too long: 'C:\\aaa", 0), 0u) << messages;
  EXPECT_STREQ(CurrentDirPath, "C:\\keep\\");
  EXPECT_EQ(DirectoryPart(), "\\keep\\");
  EXPECT_EQ(Stats.ErrorsDetected, errors + 2);

  ASSERT_TRUE(ComposeRootPath("", "C:", fits.c_str()));
  EXPECT_EQ(strlen(CurrentDirPath), 511u);
}

TEST(EnterComponent, DescentsAddNameAndBackslashAndLeavingRestoresThePath) {
  ASSERT_TRUE(ComposeRootPath("\\\\SRV1", "DOCS", "\\2024\\"));
  long a = EnterComponent(CurrentDirPath, PathCapacity, "a");
  long b = EnterComponent(CurrentDirPath, PathCapacity, "b b%s");
  long c = EnterComponent(CurrentDirPath, PathCapacity, "c");
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\2024\\a\\b b%s\\c\\");
  EXPECT_EQ(DirectoryPart(), "\\2024\\a\\b b%s\\c\\");

  LeaveComponent(CurrentDirPath, c);
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\2024\\a\\b b%s\\");
  LeaveComponent(CurrentDirPath, b);
  LeaveComponent(CurrentDirPath, a);
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\2024\\");
}

TEST(EnterComponent, RefusesANameThatDoesNotFitAndNeverWritesPastTheCapacity) {
  char path[16];
  memset(path, '#', sizeof path);
  memcpy(path, "C:\\", 4);  // 3 characters in a text of capacity 8
  int errors = Stats.ErrorsDetected;

  testing::internal::CaptureStderr();
  long refused = EnterComponent(path, 8, "abcd");  // would need 8 + terminator
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_EQ(refused, -1);
  EXPECT_EQ(message, "KELTRO-ERROR, path too long: 'C:\\abcd\\'\n");
  EXPECT_EQ(Stats.ErrorsDetected, errors + 1);
  LeaveComponent(path, refused);
  EXPECT_STREQ(path, "C:\\");
  EXPECT_EQ(std::string(path + 4, 12), std::string(12, '#'));

  long oldEnd = EnterComponent(path, 8, "abc");  // exactly 7 characters
  EXPECT_EQ(oldEnd, 3);
  EXPECT_STREQ(path, "C:\\abc\\");
  EXPECT_EQ(std::string(path + 8, 8), std::string(8, '#'));
}

TEST(JoinName, JoinsDirectoryAndNameWithinTheCapacity) {
  char joined[12];
  memset(joined, '#', sizeof joined);
  EXPECT_TRUE(JoinName(joined, 8, "C:\\d\\", "x."));  // exactly 7 characters
  EXPECT_STREQ(joined, "C:\\d\\x.");

  testing::internal::CaptureStderr();
  EXPECT_FALSE(JoinName(joined, 8, "C:\\d\\", "x.t"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KELTRO-ERROR, path too long: 'C:\\d\\x.t'\n");
  EXPECT_STREQ(joined, "");
  EXPECT_EQ(std::string(joined + 8, 4), "####");
}

TEST(NameWithoutExtension, CutsAtTheFirstDot) {
  char name[8];
  NameWithoutExtension(name, sizeof name, "archive.tar.gz");
  EXPECT_STREQ(name, "archive");
  NameWithoutExtension(name, sizeof name, "README");
  EXPECT_STREQ(name, "README");
  NameWithoutExtension(name, sizeof name, ".profile");
  EXPECT_STREQ(name, "");
  NameWithoutExtension(name, sizeof name, "a.b.c");
  EXPECT_STREQ(name, "a");
  NameWithoutExtension(name, 4, "longname.txt");
  EXPECT_STREQ(name, "lon");
}

}  // namespace
