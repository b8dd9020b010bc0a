// The layer's own state, in one place: what it reads from the environment
// and the system on first use and keeps for the run. ResetLayerState forgets
// all of it, so that the next call reads the environment again (tests change
// KELTRO_DRIVES, LC_ALL and TZ between cases; the program never resets).
// Internal to src/platform/posix/.
#pragma once

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/drive_map.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/unix_accounts.h"
#include "platform/win32.h"

struct HeldDirectory;  // path_lookup.h

// The entry a listing of the current directory gave last (listed_entry.cpp).
struct ListedEntry {
  int dirFd = -1;  // -1: none
  const char* name = nullptr;  // in the text of the listing that gave it, forgotten when that closes
  struct statx stx;  // the listing stats each entry straight into it
  uint64_t atNs;   // CLOCK_MONOTONIC when it was stat'ed
  bool withoutXattrs = false;  // the listing found it without any extended attribute
};

// One directory the layer holds for the current directory or its ancestors.
struct HeldLevel {
  std::shared_ptr<HeldDirectory> dir;
  std::string windows;  // as set: "C:\data" or "C:\"
  std::string posix;
};

// One directory held for the entries located in it (held_parents.cpp).
struct HeldParent {
  std::shared_ptr<HeldDirectory> dir;
  std::string posix;
  uint64_t ino;
  uint32_t devMajor, devMinor;
  bool followed;  // reached through a link (the drive root, or a link met when first opened)
};

// A directory of a walk's path on a share, with the subdirectories its last
// listing gave (share_listing.cpp).
struct ShareWalkLevel {
  std::string path;  // without a trailing separator
  std::vector<std::string> subdirectories;
};

// The name a server gave a SID in a descriptor (share_security.cpp).
struct ServerAccountName {
  std::string domain, name;
};

// A server's answer to an account lookup, by name or by SID (server_accounts.cpp).
struct ServerAccount {
  DWORD error = ERROR_SUCCESS;
  std::string sid;  // the SID's bytes
  std::string domain, name;
  SID_NAME_USE use = SidTypeUnknown;
};

struct LayerState {
  // The drive map (drive_map.cpp).
  bool driveMapLoaded = false;
  std::vector<DriveEntry> drives;

  // The current directory (current_dir.cpp): read from the process on first
  // use, then changed only by SetCurrentDirectoryA; below it the directories
  // a walk came down through.
  bool currentDirKnown = false;
  DWORD currentDirUnknownError = 0;
  std::vector<HeldLevel> heldDirs;  // back() is the current directory

  // The directories that located entries outside the current directory lie
  // in (held_parents.cpp): [0] a drive root, each next one a subdirectory of
  // the one before; and the paths of held directories found replaced.
  std::vector<HeldParent> heldParents;
  std::vector<std::string> replacedDirs;

  // The executable's POSIX path and its Windows form under the drive map
  // (module_path.cpp).
  int executableReadErrno = -1;   // -1 until read, then 0 or the errno of the read
  std::string executablePath;
  bool moduleFileNameKnown = false;
  std::string moduleFileName;

  // The user locale (nls_locale.cpp) and the code pages it selects
  // (codepage_select.cpp).
  locale_t userLocale = nullptr;
  bool unicodeCTypeTried = false;
  locale_t unicodeCType = nullptr;
  bool codePagesKnown = false;
  CodePagePair codePages = {CP_UTF8, CP_UTF8};

  // The SIGIO handler of change notifications is installed (change_notify.cpp).
  bool changeSignalInstalled = false;

  // The time-zone rules have been read (time_convert.cpp).
  bool timeZoneRead = false;

  // The entry a listing gave last, for the change that follows it.
  ListedEntry listed;

  // The directory of the path placed last (path_lookup.cpp): its full
  // Windows form up to its last separator, its POSIX path and its drive's
  // root, under the ANSI code page then in force (0: none).
  struct {
    std::string windows, posix, root;
    UINT page = 0;
  } lastPlaced;

  // The accounts NSS named, both ways (unix_accounts.cpp).
  AccountCache accounts;

  // Files on shares: the directories of the walk's path there
  // (share_listing.cpp), and for each server (upper case) the names it gave
  // the SIDs of the descriptors read from it, by SID bytes
  // (share_security.cpp). The libsmbclient context is kept apart: one per
  // process, never reset.
  std::vector<ShareWalkLevel> shareWalkPath;
  std::map<std::string, std::map<std::string, ServerAccountName>> serverAccountNames;

  // The answers of servers to account lookups, by server (upper case) and
  // question (server_accounts.cpp).
  std::map<std::string, ServerAccount> serverLookups;

  // libnetapi's answers to NetGetDCName, by server and domain: the status
  // (4 bytes), then the controller's name (netapi_controller.cpp).
  std::map<std::string, std::string> domainControllers;
};

extern LayerState Layer;

// Forgets the whole state, closing and freeing what it holds.
void ResetLayerState();
