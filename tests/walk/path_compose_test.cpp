// Path composition within fixed capacities: a name that does not fit is
// refused, reported and counted, and nothing is written past the buffer.
// The 511-character walk limits themselves are in walk_faults.t.
#include "walk/path_compose.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/statistics.h"

namespace {

TEST(ComposeRootPath, ShareAndDriveRoots) {
  ASSERT_TRUE(ComposeRootPath("\\\\SRV1", "DOCS", ""));
  EXPECT_STREQ(CurrentDirPath, "\\\\SRV1\\DOCS\\");
  EXPECT_STREQ(CurrentDirPath + DirectoryPartStart, "\\");
  ASSERT_TRUE(ComposeRootPath("", "C:", "\\data\\"));
  EXPECT_STREQ(CurrentDirPath + DirectoryPartStart, "\\data\\");
  int errors = Stats.ErrorsDetected;
  std::string tooLong = "\\" + std::string(508, 'a') + "\\";  // 2 + 510 characters: one too many
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ComposeRootPath("\\\\SRV1", "DOCS", tooLong.c_str()));
  testing::internal::GetCapturedStderr();
  EXPECT_STREQ(CurrentDirPath, "C:\\data\\");
  EXPECT_EQ(Stats.ErrorsDetected, errors + 1);
}

TEST(EnterComponent, RefusesANameThatDoesNotFitAndNeverWritesPastTheCapacity) {
  char path[16];
  memset(path, '#', sizeof path);
  memcpy(path, "C:\\", 4);  // 3 characters in a text of capacity 8
  testing::internal::CaptureStderr();
  long refused = EnterComponent(path, 8, "abcd");  // would need 8 + terminator
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KELTRO-ERROR, path too long: 'C:\\abcd\\'\n");
  EXPECT_EQ(refused, -1);
  LeaveComponent(path, refused);
  EXPECT_STREQ(path, "C:\\");
  EXPECT_EQ(EnterComponent(path, 8, "abc"), 3);  // exactly 7 characters
  EXPECT_STREQ(path, "C:\\abc\\");
  EXPECT_EQ(std::string(path + 8, 8), std::string(8, '#'));
  LeaveComponent(path, 3);
  EXPECT_STREQ(path, "C:\\");
}

TEST(JoinName, JoinsWithinTheCapacityOrLeavesAnEmptyText) {
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

}  // namespace
