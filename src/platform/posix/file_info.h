// What the listing and GetFileAttributesA report for one entry: the attribute
// word, the three times and the size.
#pragma once

#include <sys/stat.h>
#include <time.h>

#include <string>

#include "platform/posix/layer.h"

struct EntryInfo {
  DWORD attributes;
  FILETIME creationTime;
  FILETIME lastAccessTime;
  FILETIME lastWriteTime;
  ULONGLONG size;
};

// The entry's values from its statx record (taken without following a link),
// its name (for the hidden default of dot names) and its extended attributes
// (read through posixPath).
EntryInfo EntryInfoOf(const struct statx& stx, const char* name, const std::string& posixPath);

// False when the run told the layer to leave the stored attributes unread
// (ReadStoredAttributes in platform/layer_hints.h): no path is needed then.
bool StoredAttributesRead();

// The attribute word alone (same rules as EntryInfoOf).
DWORD AttributesOf(const struct statx& stx, const char* name, const std::string& posixPath);

// The size an entry reports: a regular file's; directories and links report 0, as on Windows.
inline ULONGLONG ReportedSize(const struct statx& stx) { return S_ISREG(stx.stx_mode) ? stx.stx_size : 0; }

// EntryInfoOf with the three times left zero, for a caller that reads none.
inline EntryInfo EntryInfoWithoutTimes(const struct statx& stx, const char* name, const std::string& posixPath) {
  return EntryInfo{AttributesOf(stx, name, posixPath), {}, {}, {}, ReportedSize(stx)};
}

// FILETIME values (100 ns units since 1601-01-01 UTC) and POSIX times.
ULONGLONG FileTimeFromPosix(long long seconds, unsigned nanoseconds);
struct timespec PosixTimeFromFileTime(ULONGLONG fileTime);
