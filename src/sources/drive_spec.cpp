#include "sources/drive_spec.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/ascii_case.h"
#include "base/settings.h"
#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "platform/win32.h"
#include "sources/wildcard_path.h"
#include "walk/path_compose.h"

namespace {

// A drive-class word: which drives of which type it takes.
struct DriveClass {
  const char* word;
  UINT type;      // GetDriveTypeA result required; DRIVE_UNKNOWN with anyType
  bool anyType;   // "*:": every drive whatever its type
  bool firstOnly; // the first drive of the type only
};

const DriveClass DriveClasses[] = {
    {"*:", DRIVE_UNKNOWN, true, false},
    {"CD*:", DRIVE_CDROM, false, false},      {"CD:", DRIVE_CDROM, false, true},
    {"DISK*:", DRIVE_FIXED, false, false},    {"DISK:", DRIVE_FIXED, false, true},
    {"FLOPPY*:", DRIVE_REMOVABLE, false, false}, {"FLOPPY:", DRIVE_REMOVABLE, false, true},
    {"NET*:", DRIVE_REMOTE, false, false},    {"NET:", DRIVE_REMOTE, false, true},
};

const DriveClass* FindDriveClass(const char* word) {
  for (const DriveClass& c : DriveClasses) {
    if (SameWordIgnoringCase(word, c.word)) return &c;
  }
  return nullptr;
}

bool IsDriveLetter(const char* drive) {
  char c = drive[0];
  return drive[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

void WalkDrive(const char* root, const char* directoryPart, const char* filePatterns) {
  ExpandWildcardPath("", "", root, directoryPart, filePatterns);
}

// One drive letter with its colon (and whatever follows it in the text).
int ExpandDriveLetter(char* drive, DWORD drives, const char* directoryPart, const char* filePatterns) {
  CharUpperA(drive);
  if (!(drives & (1u << (drive[0] - 'A')))) {
    PrintError("KELTRO-ERROR, drive %s is not available\n", drive);
    return 0;
  }
  WalkDrive(drive, directoryPart, filePatterns);
  return 1;
}

}  // namespace

DWORD DrivesOfClass(const char* word, DWORD drives) {
  const DriveClass* driveClass = FindDriveClass(word);
  DWORD taken = 0;
  for (int letter = 0; driveClass && letter < 26; letter++) {
    if (!(drives & (1u << letter))) continue;
    char root[3] = {(char)('A' + letter), ':', '\0'};
    if (!driveClass->anyType && GetDriveTypeA(root) != driveClass->type) continue;
    taken |= 1u << letter;
    if (driveClass->firstOnly) break;
  }
  return taken;
}

namespace {

// Every existing drive that the class takes, from A to Z.
int ExpandDriveClass(const char* word, DWORD drives, const char* directoryPart, const char* filePatterns) {
  if (drives && !FindDriveClass(word)) {
    PrintError("KELTRO-ERROR, invalid drive specification '%s'\n", word);
    return 0;
  }
  DWORD taken = DrivesOfClass(word, drives);
  for (int letter = 0; letter < 26; letter++) {
    if (!(taken & (1u << letter))) continue;
    char root[3] = {(char)('A' + letter), ':', '\0'};
    WalkDrive(root, directoryPart, filePatterns);
  }
  if (taken == 0) PrintError("KELTRO-ERROR, no drives match '%s'\n", word);
  return taken != 0;
}

// The drive of the current directory ("C:"), read whatever the length of the
// directory; false (message printed) when it cannot be read or lies on no drive.
bool CurrentDrive(char* drive, size_t capacity) {
  std::string current(TextCapacity, '\0');
  DWORD length = GetCurrentDirectoryA((DWORD)current.size(), current.data());
  if (length >= current.size()) {
    current.resize(length);
    length = GetCurrentDirectoryA((DWORD)current.size(), current.data());
  }
  if (length == 0 || length >= current.size()) {
    PrintError("KELTRO-ERROR, cannot read the current directory, error=%ld\n", (long)GetLastError());
    return false;
  }
  current.resize(length);
  if (!IsDriveLetter(current.c_str())) {
    PrintError("KELTRO-ERROR, the current directory %s is on no drive: give the source with its drive\n",
            current.c_str());
    return false;
  }
  return CopyTextN(drive, capacity, current.c_str(), 2);
}

}  // namespace

int ExpandDriveSpec(const char* drivePart, const char* directoryPart, const char* filePatterns) {
  DWORD drives = GetLogicalDrives();
  CurrentDirPath[0] = '\0';
  char drive[TextCapacity];
  if (drivePart[0]) {
    CopyText(drive, drivePart);
  } else if (!CurrentDrive(drive, sizeof drive)) {
    return 0;
  }
  if (IsDriveLetter(drive)) return ExpandDriveLetter(drive, drives, directoryPart, filePatterns);
  return ExpandDriveClass(drive, drives, directoryPart, filePatterns);
}
