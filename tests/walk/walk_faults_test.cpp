// A directory that vanishes while the walk is under way is reported and
// counted, and the walk goes on; failures at the root, or of a listing, are
// in walk_faults.t and walk_drives.t.
#include <filesystem>
#include <string>

#include "platform/posix/syscalls.h"
#include "walk_fixture.h"

namespace {

SyscallTable Saved;      // the table entries the test wraps
std::string VictimPath;  // POSIX path of the directory that vanishes

// The victim is removed just after the listing has stat'ed it, so the walk
// finds it as a directory and then cannot enter it.
int StatThenRemoveVictim(int dirFd, const char* path, int flags, unsigned mask, struct statx* out) {
  int result = Saved.stat(dirFd, path, flags, mask, out);
  if (result == 0 && std::string(path) == "victim") std::filesystem::remove_all(VictimPath);
  return result;
}

class WalkFaultsTest : public WalkTest {
 protected:
  void SetUp() override {
    WalkTest::SetUp();
    Saved = Sys;
    tree.file("r/top", "1");
    tree.file("r/ok/1", "22");
    tree.file("r/ok/2", "333");
    for (const char* name : {"a", "b", "c", "d", "e"}) tree.file(std::string("r/victim/") + name, "x");
    VictimPath = tree.path("r/victim");
  }
  void TearDown() override {
    Sys = Saved;
    WalkTest::TearDown();
  }
};

TEST_F(WalkFaultsTest, DirectoryThatVanishesBeforeItIsEnteredIsReportedAndSkipped) {
  Sys.stat = StatThenRemoveVictim;
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

}  // namespace
