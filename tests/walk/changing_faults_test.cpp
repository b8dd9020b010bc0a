// Faults in the middle of the changing commands: nothing already in the target
// is lost and every failure is reported and counted.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "base/bounded_text.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/standard_output.h"
#include "platform/files_fixture.h"
#include "walk/path_compose.h"
#include "walk/run_values.h"
#include "walk/walk_directory.h"

namespace {

class ChangingFaultsTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    Stats = {};
    YesToAll = 1;
    Recurse = 0;
    CleanupTarget = 0;
    WorkOutRunValues();
  }
  void TearDown() override {
    YesToAll = CleanupTarget = 0;
    TargetPath[0] = '\0';
    CurrentCommand = CMD_SHO;
    MappedTreeTest::TearDown();
  }
  // Walks T:\src\ with `command` into T:\dst\ and gives what it printed on standard error.
  std::string Walk(CommandCode command) {
    CurrentCommand = command;
    CopyText(TargetPath, "T:\\dst\\");
    CurrentDirPath[0] = '\0';
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    WalkDirectory("", "", "T:", "\\src\\", "*\0");
    FlushOutput();
    testing::internal::GetCapturedStdout();
    return testing::internal::GetCapturedStderr();
  }
  std::string Content(const std::string& relative) {
    std::ifstream in(tree_.path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(ChangingFaultsTest, AccessDeniedOnTheFirstTryOnlyIsTakenOverAndTriedOnceMore) {
  tree_.file("src/a.txt", "a");
  tree_.file("src/sub/b.txt", "b");
  Recurse = 1;
  ArmSyscallFault({"unlink", 1, EACCES});  // the first delete is refused
  ArmSyscallFault({"chdir", 1, EACCES, 1, [this](int fd, const char*) {  // so is entering sub
    return fs::read_symlink("/proc/self/fd/" + std::to_string(fd)) == tree_.path("src/sub");
  }});
  EXPECT_EQ(Walk(CMD_DEL), "");
  EXPECT_FALSE(fs::exists(tree_.path("src/a.txt")));
  EXPECT_FALSE(fs::exists(tree_.path("src/sub/b.txt")));
  EXPECT_EQ(Stats.FilesTaken, 2);
  EXPECT_EQ(Stats.FilesDeleted, 2);
  EXPECT_EQ(Stats.ErrorsDetected, 0);
}

// A replaced target is written under a temporary name, a new one without a
// name until it is whole: neither is left.
TEST_F(ChangingFaultsTest, ADiskFullDuringACopyLeavesTheTargetAsItWas) {
  tree_.file("src/a.txt", std::string(300000, 'n'));
  tree_.file("src/b.txt", std::string(300000, 'n'));
  tree_.file("dst/a.txt", "old");
  ArmSyscallFault({"copy_file_range", 1, ENOSPC, 1000});
  ArmSyscallFault({"write", 1, ENOSPC, 1000, [](int fd, const char*) { return fd > 2; }});
  EXPECT_EQ(Walk(CMD_COP),
            "KELTRO-ERROR, cannot replace T:\\dst\\a.txt, error=112\n"
            "KELTRO-ERROR, cannot copy T:\\src\\b.txt to T:\\dst\\, error=112\n");
  EXPECT_EQ(Content("dst/a.txt"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(tree_.path("dst")), fs::directory_iterator()), 1);
  EXPECT_EQ(Stats.FilesReplaced + Stats.FilesCopied, 0);
  EXPECT_EQ(Stats.ErrorsDetected, 2);
}

TEST_F(ChangingFaultsTest, AListingErrorInACleanedSourceLeavesTheTargetUntouched) {
  tree_.file("src/kept.txt", "k");
  tree_.file("dst/kept.txt", "k");
  tree_.file("dst/stale.txt", "s");
  tree_.dir("dst/stale-dir");
  CleanupTarget = Recurse = 1;
  ArmSyscallFault({"getdents", 2, EIO});  // the listing's second read, after every name was seen
  std::string errors = Walk(CMD_MIR);
  EXPECT_NE(errors.find("KELTRO-ERROR, Dir(T:\\src\\) failed, error="), std::string::npos) << errors;
  EXPECT_TRUE(fs::exists(tree_.path("dst/stale.txt")));
  EXPECT_TRUE(fs::exists(tree_.path("dst/stale-dir")));
  EXPECT_EQ(Stats.FilesDeleted + Stats.DirectoriesRemoved, 0);

  ClearSyscallFaults();  // the same run without the fault cleans the target
  Walk(CMD_MIR);
  EXPECT_FALSE(fs::exists(tree_.path("dst/stale.txt")));
  EXPECT_FALSE(fs::exists(tree_.path("dst/stale-dir")));
  EXPECT_TRUE(fs::exists(tree_.path("dst/kept.txt")));
}

}  // namespace
