// From Windows paths to POSIX entries: the drive map, the layer's current
// directory (kept open as a descriptor), and the lookup that corrects the
// case of missing names, as Wine does.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32.h"

// A directory the layer holds open: the current directory, the directories
// a walk came down through, and the listings that read them.
struct HeldDirectory {
  int fd = AT_FDCWD;     // O_RDONLY|O_DIRECTORY, or O_PATH when it cannot be read
  bool readable = false;
  bool atStart = true;   // not read yet: a listing need not seek to its start
  signed char defaultAcl = -1;  // whether it has a default ACL (file_copy.cpp): -1 not read yet
  ~HeldDirectory();
};

// The layer's current directory. It is read from the process (getcwd) on
// first use and changed only by ChangeCurrentDirectory. When the process's
// directory has no path (longer than 4096 bytes, removed) it stays unknown:
// the texts are empty and only paths naming their drive can be used.
const std::string& CurrentWindowsDirectory();  // "C:\data", "C:\", or "\\?\unix\srv" on no drive
const std::string& CurrentPosixDirectory();
int CurrentDirectoryFd();                      // descriptor of the current directory
std::shared_ptr<HeldDirectory> CurrentDirectoryHeld();  // null when unknown
// Opens dirFd/name as a directory to hold, readable; with orEnterOnly, one
// that cannot be read (EACCES) is held by O_PATH, so that it may still be
// entered. Null with errno set.
std::shared_ptr<HeldDirectory> OpenHeldDirectory(int dirFd, const char* name, int extraFlags, bool orEnterOnly);
char CurrentDriveLetter();                     // 0 when the current directory is on no drive
// Makes the next use read the process's current directory again.
void ForgetCurrentDirectory();
// SetCurrentDirectoryA's work: 0 or a Win32 error code.
DWORD ChangeCurrentDirectory(LPCSTR path);

// GetFullPathNameA's folding against the layer's current directory.
bool FullPathOf(LPCSTR path, std::string& full);

// The Windows form of an absolute POSIX path: the drive whose root is the
// longest prefix, then the rest with `\`; with no drive, kNoDrivePrefix and
// the path with `\` ("\\?\unix\opt\keltro").
std::string WindowsFormOf(const std::string& posixPath);

// The directory of an absolute POSIX path ("/" for "/x").
std::string PosixParentOf(const std::string& posix);
// The same as a view into posix, with no copy; when base is the path's last
// name (LocatedPath::base), its separator is found without a search.
std::string_view PosixParentView(std::string_view posix, std::string_view base = {});

// dir + "/" + name (no doubled slash after "/").
std::string JoinPosixPath(const std::string& dir, const std::string& name);

// Where a Windows path lies on the POSIX side.
struct LocatedPath {
  std::string posix;   // absolute POSIX path, names corrected for case where they were missing
  int dirFd;           // directory the entry is named in: the current directory's descriptor, a held
                       // parent's (held_parents.h) or AT_FDCWD
  std::string name;    // the entry's name relative to dirFd ("." for the current directory itself)
  std::shared_ptr<HeldDirectory> held;  // the held parent dirFd names, kept open while this is used
  std::string base;    // the last component ("" for a drive root)
  bool isDriveRoot;    // the path is the root of its drive
  DWORD missing;       // 0 found; 2 the entry is missing; 3 a parent is missing; 21 the drive root is missing
  int statErrno;       // 0 when stx holds the entry (taken without following a link), else the errno
  struct statx stx;    // mask: kEntryStatxMask
};

// What the lookup asks statx for: the basic fields and the birth time.
constexpr unsigned kEntryStatxMask = STATX_BASIC_STATS | STATX_BTIME;

// What a lookup is for. A change names an entry outside the current
// directory relative to its held parent (held_parents.h), checked by one
// more statx of the parent's path when the entry exists; a read needs not.
enum class LookupFor { Reading, Changing };

// Locates a full Windows path (FullPathOf form). Returns 0, or the Win32 code
// of a path that cannot name a local entry: 123 (wildcards, a drive that is
// no letter), 3 (an unmapped drive letter), 50 (a share path: served only
// by the calls of share_files.h).
DWORD LocateFullPath(const std::string& fullPath, LocatedPath& located, LookupFor purpose = LookupFor::Reading);
// FullPathOf then LocateFullPath.
DWORD LocatePath(LPCSTR path, LocatedPath& located, LookupFor purpose = LookupFor::Reading);
// LocatePath without any lookup: posix, dirFd, name, base and isDriveRoot as
// the path is spelled (no case corrected); missing, statErrno and stx unset.
DWORD PlacePath(LPCSTR path, LocatedPath& located);
// LocatePath for an entry that must exist: 0 when it was found and stat'ed,
// else the Win32 code of why not (2 or 3 for a missing entry or parent).
DWORD LocateExisting(LPCSTR path, LocatedPath& located, LookupFor purpose = LookupFor::Reading);
// When path is a plain name in the current directory whose listing has just
// stat'ed it (listed_entry.h): that name, within path, with its length, and
// stx takes the listing's statx. Null otherwise. Nothing is built or looked up.
const char* TakeJustListed(LPCSTR path, struct statx& stx, size_t& length);

// The name of directory dirPosix that equals name when case is ignored; false when none.
bool FindNameIgnoringCase(const std::string& dirPosix, const std::string& name, std::string& found);
