// The drive map: which POSIX directory each drive letter stands for, and its
// drive type. Read once, on first use, from KELTRO_DRIVES
// ("C=/;D=/mnt/cdrom,cdrom;N=/net/home,remote") or, when that is unset or
// empty, made from the mounted file systems (C: is /, then D:, E:, ... for
// the other real mounts in mount-point order).
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

struct DriveEntry {
  char letter;       // 'A' to 'Z'
  std::string root;  // absolute POSIX directory, no trailing '/' except for "/"
  UINT type;         // DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_REMOVABLE, DRIVE_RAMDISK
};

// True for A-Z and a-z: the characters that can name a drive.
bool IsDriveLetter(char c);

// The drives, in letter order, one per letter.
const std::vector<DriveEntry>& DriveMap();

// The drive of a letter (either case); nullptr when the letter is not mapped.
const DriveEntry* FindDrive(char letter);

// The drive whose root is the longest prefix of an absolute POSIX path (whole
// components only; the lowest letter among equal roots); nullptr when none.
const DriveEntry* DriveOfPosixPath(const std::string& posixPath);

// Parses the KELTRO_DRIVES syntax; entries that do not parse are left out.
std::vector<DriveEntry> ParseDriveList(const char* text);

// Makes the default map from the text of /proc/self/mountinfo. isRemovable
// gets a "major:minor" device number; isDirectory a mount point. Null
// functions ask sysfs and stat.
std::vector<DriveEntry> DrivesFromMountInfo(const std::string& mountinfo,
                                            bool (*isRemovable)(const std::string& device) = nullptr,
                                            bool (*isDirectory)(const std::string& path) = nullptr);
