// The drive map: KELTRO_DRIVES, the default made from the mounts, and the
// Win32 calls that answer from it.
#include <gtest/gtest.h>

#include "files_fixture.h"

namespace {

std::string Describe(const std::vector<DriveEntry>& drives) {
  std::string text;
  for (const DriveEntry& d : drives) {
    text += std::string(1, d.letter) + "=" + d.root + "," + std::to_string(d.type) + ";";
  }
  return text;
}

TEST(DriveListTest, ParsesLettersRootsAndTypes) {
  auto drives = ParseDriveList("C=/;D=/mnt/cdrom,cdrom;n=/net/home/,remote;R=/media/usb,Removable;"
                               "Z=/dev/shm,ramdisk;E=/data,fixed");
  EXPECT_EQ(Describe(drives),
            "C=/,3;D=/mnt/cdrom,5;E=/data,3;N=/net/home,4;R=/media/usb,2;Z=/dev/shm,6;");
}

TEST(DriveListTest, LeavesOutEntriesThatDoNotParse) {
  // relative root, unknown type, two letters, no '=', a digit for a letter, empty root
  auto drives = ParseDriveList("C=relative;D=/x,floppy;EF=/y;G;1=/z;H=;K=/ok");
  EXPECT_EQ(Describe(drives), "K=/ok,3;");
}

TEST(DriveListTest, ALaterEntryForTheSameLetterWins) {
  EXPECT_EQ(Describe(ParseDriveList("D=/one;d=/two,remote")), "D=/two,4;");
}

bool RemovableSdb(const std::string& device) { return device == "8:17"; }
bool EveryPathIsDirectory(const std::string& path) { return path != "/etc/hosts"; }

TEST(DriveMountInfoTest, OneLetterPerRealFileSystemInMountPointOrder) {
  const char* mountinfo =
      "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
      "23 27 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
      "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw\n"
      "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "30 27 0:40 / /tmp rw shared:5 - tmpfs tmpfs rw\n"
      "31 27 8:2 / /home rw,relatime shared:1 master:2 - ext4 /dev/sda2 rw\n"
      "32 27 0:41 / /net/home rw - nfs4 srv:/home rw\n"
      "33 27 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
      "34 27 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
      "35 27 8:3 / /mnt/my\\040disk rw - xfs /dev/sda3 rw\n"
      "36 27 0:42 / /srv/share rw - cifs //nas/share rw\n"
      "37 27 0:43 / /home rw - btrfs /dev/sdc1 rw\n"
      "38 27 254:0 /x/hosts /etc/hosts rw - ext4 /dev/vda rw\n"
      "39 41 0:29 / /sys/fs/cgroup/cpu rw - cgroup cgroup rw,cpu\n"
      "garbage line\n";
  auto drives = DrivesFromMountInfo(mountinfo, RemovableSdb, EveryPathIsDirectory);
  // /home appears twice: the later mount hides the earlier one.
  EXPECT_EQ(Describe(drives),
            "C=/,3;D=/home,3;E=/media/cd,5;F=/media/usb,2;G=/mnt/my disk,3;H=/net/home,4;"
            "I=/srv/share,4;J=/tmp,6;");
}

TEST(DriveMountInfoTest, StopsAtZ) {
  std::string mountinfo;
  for (int i = 0; i < 30; i++) {
    char line[128];
    snprintf(line, sizeof line, "%d 1 8:%d / /m%02d rw - ext4 /dev/x rw\n", 100 + i, i, i);
    mountinfo += line;
  }
  auto drives = DrivesFromMountInfo(mountinfo, RemovableSdb, EveryPathIsDirectory);
  ASSERT_EQ(drives.size(), 24u);  // C: plus D: to Z:
  EXPECT_EQ(drives.back().letter, 'Z');
  EXPECT_EQ(drives.back().root, "/m22");
}

class DriveCallsTest : public MappedTreeTest {};

TEST_F(DriveCallsTest, LogicalDrivesAndTypesComeFromKeltroDrives) {
  MapDrives("C=/;D=/mnt/cdrom,cdrom;N=/net/home,remote;T=" + tree_.root() + ",ramdisk");
  EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3) | (1u << 13) | (1u << 19));
  EXPECT_EQ(GetDriveTypeA("C:\\"), (UINT)DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("D:"), (UINT)DRIVE_CDROM);
  EXPECT_EQ(GetDriveTypeA("n:/"), (UINT)DRIVE_REMOTE);
  EXPECT_EQ(GetDriveTypeA("T:"), (UINT)DRIVE_RAMDISK);
  EXPECT_EQ(GetDriveTypeA("Q:\\"), (UINT)DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("C:\\data\\"), (UINT)DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("*:"), (UINT)DRIVE_NO_ROOT_DIR);
}

TEST_F(DriveCallsTest, NoRootNameMeansTheCurrentDrive) {
  MapDrives("C=/;T=" + tree_.root() + ",removable");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\"));
  EXPECT_EQ(GetDriveTypeA(nullptr), (UINT)DRIVE_REMOVABLE);
}

TEST_F(DriveCallsTest, WithoutKeltroDrivesCIsTheRootDirectory) {
  unsetenv("KELTRO_DRIVES");
  ResetLayerState();
  EXPECT_TRUE(GetLogicalDrives() & (1u << 2));
  EXPECT_EQ(GetDriveTypeA("C:"), (UINT)DRIVE_FIXED);
  char buffer[MAX_PATH];
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  ASSERT_GT(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_STREQ(buffer, "C:\\");
  EXPECT_EQ(std::filesystem::current_path(), "/");
}

TEST_F(DriveCallsTest, EmptyKeltroDrivesCountsAsUnset) {
  MapDrives("");
  EXPECT_EQ(GetDriveTypeA("C:"), (UINT)DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("T:"), (UINT)DRIVE_NO_ROOT_DIR);
}

}  // namespace
