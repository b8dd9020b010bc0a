// A file whose owner or access list cannot be read: the fallback texts stand
// in, the reason is printed, and the walk goes on with the next file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/bounded_text.h"
#include "base/settings.h"
#include "output/standard_output.h"
#include "platform/files_fixture.h"
#include "walk/path_compose.h"
#include "walk/run_values.h"
#include "walk/walk_directory.h"

namespace {

class SecurityFaultsTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    CurrentCommand = CMD_SHO;
    CopyText(FileFormat, "~N ~o [~g]");
    WorkOutRunValues();
  }
  void TearDown() override {
    FileFormat[0] = '\0';
    CurrentCommand = CMD_INVALID;
    WorkOutRunValues();
    MappedTreeTest::TearDown();
  }
  // Lists T:\d\ and gives standard output, then standard error.
  std::string Walk() {
    CurrentDirPath[0] = '\0';
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    WalkDirectory("", "", "T:", "\\d\\", "*\0");
    FlushOutput();
    std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
  }
};

TEST_F(SecurityFaultsTest, UnreadableSecurityShowsTheFallbackAndTheWalkGoesOn) {
  tree_.file("d/a", "");
  tree_.file("d/b", "");
  tree_.file("d/c", "");
  ASSERT_TRUE(NeedOwner && NeedSecurity);
  // b's owner: the listing's look at b passes, the owner lookup's is refused.
  ArmSyscallFault({.call = "stat", .nth = 2, .err = EACCES,
                   .when = [](int, const char* name) { return strcmp(name, "b") == 0; }});
  // Every access list is refused.
  ArmSyscallFault({.call = "getxattr", .err = EACCES, .count = 100, .when = [](int, const char* name) {
                     return strcmp(name, "system.posix_acl_access") == 0;
                   }});
  std::string printed = Walk();
  EXPECT_NE(printed.find("b ERROR\\AccessDenied []\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("GetFileSecurity() for 'T:\\d\\b' failed, error=5\n"), std::string::npos) << printed;
  for (const char* name : {"a", "b", "c"}) {
    std::string line = std::string("ASEC-ERROR, GetFileSecurity(T:\\d\\") + name + ") failed, error=5\n";
    EXPECT_NE(printed.find(line), std::string::npos) << printed;
  }
  EXPECT_NE(printed.find("\nc Unix User\\"), std::string::npos) << printed;  // the walk went on
}

}  // namespace
