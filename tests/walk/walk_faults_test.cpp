// Directories that vanish, become unreadable or are swapped for links while
// the walk is under way: each failure is reported and counted, the walk goes
// on, and it never leaves its tree.
#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/posix/layer.h"
#include "support/syscall_faults.h"
#include "walk_fixture.h"

namespace {

std::string VictimPath;  // POSIX path of the directory that misbehaves

bool NamesVictim(int, const char* name) { return std::string(name) == "victim"; }

// Listings read the descriptor of the directory entered.
bool ReadsVictim(int fd, const char*) {
  std::error_code ec;
  return std::filesystem::equivalent("/proc/self/fd/" + std::to_string(fd), VictimPath, ec);
}

class WalkFaultsTest : public WalkTest {
 protected:
  void SetUp() override {
    WalkTest::SetUp();
    tree.file("r/top", "1");
    tree.file("r/ok/1", "22");
    tree.file("r/ok/2", "333");
    for (const char* name : {"a", "b", "c", "d", "e"}) tree.file(std::string("r/victim/") + name, "x");
    VictimPath = tree.path("r/victim");
  }
  void TearDown() override {
    ClearSyscallFaults();
    WalkTest::TearDown();
  }
};

TEST_F(WalkFaultsTest, DirectoryThatVanishesBeforeItIsEnteredIsReportedAndSkipped) {
  // The victim is removed after the listing has read it, just before the walk enters it.
  ArmSyscallFault({.call = "open", .when = NamesVictim, .before = [] { std::filesystem::remove_all(VictimPath); }});
  EXPECT_EQ(Walk("\\r\\"), 1);
  EXPECT_EQ(err, "KELTRO-ERROR, cannot go to C:\\r\\victim\\, error=2\n");
  EXPECT_EQ(Stats.ErrorsDetected, 1);
  EXPECT_TRUE(Printed("C:\\r\\ok\\1"));
  EXPECT_TRUE(Printed("C:\\r\\victim"));  // its entry was listed before it went
  EXPECT_TRUE(Printed("dir C:\\r\\ok\\ T=2"));
  EXPECT_TRUE(Printed("dir C:\\r\\ T=3"));
  EXPECT_EQ(out.find("dir C:\\r\\victim\\"), std::string::npos);  // never walked: no ~d line
  EXPECT_EQ(Stats.Files, 5);  // top, ok, victim, ok\1, ok\2
  EXPECT_EQ(Stats.Subdirectories, 2);
}

TEST_F(WalkFaultsTest, DirectoryThatCannotBeListedIsReportedAndStillEndsItsWalk) {
  ArmSyscallFault({.call = "getdents", .err = EACCES, .when = ReadsVictim});
  EXPECT_EQ(Walk("\\r\\"), 1);
  EXPECT_EQ(err, "KELTRO-ERROR, Dir(C:\\r\\victim\\) failed, error=5\n");
  EXPECT_EQ(Stats.ErrorsDetected, 1);
  EXPECT_TRUE(Printed("dir C:\\r\\victim\\ T=0"));
  EXPECT_TRUE(Printed("dir C:\\r\\ T=3"));
  EXPECT_EQ(Stats.Files, 5);
}

TEST_F(WalkFaultsTest, ListingThatFailsHalfWayKeepsWhatItListedAndGoesOn) {
  // The first read gives the victim's five entries, the second fails.
  ArmSyscallFault({.call = "getdents", .nth = 2, .err = EIO, .when = ReadsVictim});
  EXPECT_EQ(Walk("\\r\\"), 1);
  std::string expected = "KELTRO-ERROR, Dir(C:\\r\\victim\\) failed, error=" +
                         std::to_string((long)Win32ErrorFromErrno(EIO)) + "\n";
  EXPECT_EQ(err, expected);
  EXPECT_EQ(Stats.ErrorsDetected, 1);
  EXPECT_TRUE(Printed("C:\\r\\victim\\e"));
  EXPECT_TRUE(Printed("dir C:\\r\\victim\\ T=5"));
  EXPECT_TRUE(Printed("C:\\r\\ok\\2"));
  EXPECT_EQ(Stats.Files, 10);
}

// A parent swapped for a link to another tree while the walk is below it:
// the walk goes back up through the directories it came down through and
// never lists the other tree.
TEST_F(WalkFaultsTest, AParentSwappedForALinkDoesNotLeadTheWalkOutOfItsTree) {
  tree.file("r/race/a/zz/f", "1");
  tree.file("r/race/a/zz2/g", "1");
  tree.file("outside/zz/SENTINEL", "1");
  tree.file("outside/zz2/SENTINEL", "1");
  auto swap = [this] {
    std::filesystem::rename(tree.path("r/race/a"), tree.path("moved"));
    std::filesystem::create_directory_symlink(tree.path("outside"), tree.path("r/race/a"));
  };
  ArmSyscallFault({.call = "open", .when = [](int, const char* name) { return std::string(name) == "zz"; },
                   .before = swap});
  EXPECT_EQ(Walk("\\r\\race\\"), 1);
  EXPECT_EQ(err, "");
  EXPECT_EQ(out.find("SENTINEL"), std::string::npos) << out;
  EXPECT_TRUE(Printed("C:\\r\\race\\a\\zz\\f"));
  EXPECT_TRUE(Printed("C:\\r\\race\\a\\zz2\\g"));
  EXPECT_TRUE(std::filesystem::is_symlink(tree.path("r/race/a")));  // the swap did happen
}

TEST_F(WalkFaultsTest, RootThatCannotBeEnteredWalksNothing) {
  std::filesystem::remove_all(VictimPath);
  EXPECT_EQ(Walk("\\r\\victim\\"), 0);
  EXPECT_EQ(err, "KELTRO-ERROR, cannot go to C:\\r\\victim\\, error=2\n");
  EXPECT_EQ(out, "");
  EXPECT_EQ(Stats.ErrorsDetected, 1);
}

}  // namespace
