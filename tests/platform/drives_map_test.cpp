// The default drive map made from the mounts. KELTRO_DRIVES and the drive
// classes over it are in walk_drives.t.
#include <gtest/gtest.h>

#include "files_fixture.h"

namespace {

std::string Describe(const std::vector<DriveEntry>& drives) {
  std::string text;
  for (const DriveEntry& d : drives) text += std::string(1, d.letter) + "=" + d.root + "," + std::to_string(d.type) + ";";
  return text;
}

bool RemovableSdb(const std::string& device) { return device == "8:17"; }
bool EveryPathIsDirectory(const std::string& path) { return path != "/etc/hosts"; }

TEST(DriveMountInfoTest, OneLetterPerRealFileSystemInMountPointOrder) {
  const char* mountinfo =
      "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
      "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "31 27 8:2 / /home rw,relatime shared:1 master:2 - ext4 /dev/sda2 rw\n"
      "32 27 0:41 / /net/home rw - nfs4 srv:/home rw\n"
      "33 27 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
      "34 27 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
      "35 27 8:3 / /mnt/my\\040disk rw - xfs /dev/sda3 rw\n"
      "37 27 0:43 / /home rw - btrfs /dev/sdc1 rw\n"
      "38 27 254:0 /x/hosts /etc/hosts rw - ext4 /dev/vda rw\n"
      "garbage line\n";
  // /home appears twice: the later mount hides the earlier one.
  EXPECT_EQ(Describe(DrivesFromMountInfo(mountinfo, RemovableSdb, EveryPathIsDirectory)),
            "C=/,3;D=/home,3;E=/media/cd,5;F=/media/usb,2;G=/mnt/my disk,3;H=/net/home,4;");
}

}  // namespace
