// Attribute rules: D from the type; R when the entry has no write bit at all;
// H, S and A from user.DOSATTRIB, or without it H for a dot name and A for a
// regular file; C from the inode's compression flag; a symbolic link is a
// reparse point (never a directory). A word with no bit reads as NORMAL.
#include "platform/posix/file_info.h"

#include <cstring>

#include "platform/posix/dos_attrib.h"
#include "platform/layer_hints.h"

namespace {

constexpr long long kSecondsFrom1601To1970 = 11644473600LL;
constexpr ULONGLONG kUnitsPerSecond = 10000000ULL;
constexpr DWORD kFromDosAttrib = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// A name Linux hides: it begins with '.' and is neither "." nor "..".
bool IsHiddenName(const char* name) {
  return name[0] == '.' && strcmp(name, ".") != 0 && strcmp(name, "..") != 0;
}

// Inlined, so that a caller without stored attributes drops their test.
[[gnu::always_inline]] inline DWORD AttributesFrom(const struct statx& stx, const char* name, const DosAttrib& dos) {
  if (S_ISLNK(stx.stx_mode)) {
    return FILE_ATTRIBUTE_REPARSE_POINT | (IsHiddenName(name) ? FILE_ATTRIBUTE_HIDDEN : 0);
  }
  DWORD word = 0;
  if (S_ISDIR(stx.stx_mode)) word |= FILE_ATTRIBUTE_DIRECTORY;
  if ((stx.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) word |= FILE_ATTRIBUTE_READONLY;
  if (dos.hasAttributes) {
    word |= dos.attributes & kFromDosAttrib;
  } else {
    if (IsHiddenName(name)) word |= FILE_ATTRIBUTE_HIDDEN;
    if (S_ISREG(stx.stx_mode)) word |= FILE_ATTRIBUTE_ARCHIVE;
  }
  if ((stx.stx_attributes_mask & STATX_ATTR_COMPRESSED) && (stx.stx_attributes & STATX_ATTR_COMPRESSED))
    word |= FILE_ATTRIBUTE_COMPRESSED;
  return word ? word : FILE_ATTRIBUTE_NORMAL;
}

ULONGLONG FromStatxTime(const struct statx_timestamp& t) { return FileTimeFromPosix(t.tv_sec, t.tv_nsec); }

// The stored creation time, else the one Samba recorded, else the birth
// time, else (no birth time on this file system) the inode change time.
ULONGLONG CreationTimeOf(const struct statx& stx, const EntryXattrs& xattrs) {
  if (xattrs.hasStoredCreationTime) return xattrs.storedCreationTime;
  if (xattrs.dos.hasCreationTime) return xattrs.dos.creationTime;
  if (stx.stx_mask & STATX_BTIME) return FromStatxTime(stx.stx_btime);
  return FromStatxTime(stx.stx_ctime);
}

bool ReadsStoredAttributes = true;

// Links hold no user extended attributes on Linux: no call is made for them.
EntryXattrs XattrsOf(const struct statx& stx, const std::string& posixPath) {
  return S_ISLNK(stx.stx_mode) || !ReadsStoredAttributes ? EntryXattrs{} : ReadEntryXattrs(posixPath);
}

}  // namespace

bool ReadStoredAttributes(bool read) {
  bool before = ReadsStoredAttributes;
  ReadsStoredAttributes = read;
  return before;
}

bool StoredAttributesRead() { return ReadsStoredAttributes; }

// Held at the ends of the file-time range: 0 before 1601, the largest
// FILETIME (0x7FFFFFFFFFFFFFFF, in the year 30828) beyond it.
ULONGLONG FileTimeFromPosix(long long seconds, unsigned nanoseconds) {
  constexpr ULONGLONG kMaxFileTime = 0x7FFFFFFFFFFFFFFFULL;
  constexpr long long kMaxSeconds = (long long)(kMaxFileTime / kUnitsPerSecond) - kSecondsFrom1601To1970;
  if (seconds < -kSecondsFrom1601To1970) return 0;
  if (seconds > kMaxSeconds) return kMaxFileTime;
  ULONGLONG time = (ULONGLONG)(seconds + kSecondsFrom1601To1970) * kUnitsPerSecond + nanoseconds / 100;
  return time > kMaxFileTime ? kMaxFileTime : time;
}

struct timespec PosixTimeFromFileTime(ULONGLONG fileTime) {
  struct timespec t;
  t.tv_sec = (time_t)(fileTime / kUnitsPerSecond) - kSecondsFrom1601To1970;
  t.tv_nsec = (long)(fileTime % kUnitsPerSecond) * 100;
  return t;
}

DWORD AttributesOf(const struct statx& stx, const char* name, const std::string& posixPath) {
  if (S_ISLNK(stx.stx_mode) || !ReadsStoredAttributes) return AttributesFrom(stx, name, DosAttrib{});
  return AttributesFrom(stx, name, ReadEntryXattrs(posixPath).dos);
}

EntryInfo EntryInfoOf(const struct statx& stx, const char* name, const std::string& posixPath) {
  EntryXattrs xattrs = XattrsOf(stx, posixPath);
  EntryInfo info;
  info.attributes = AttributesFrom(stx, name, xattrs.dos);
  info.creationTime = ToFileTime(CreationTimeOf(stx, xattrs));
  info.lastAccessTime = ToFileTime(FromStatxTime(stx.stx_atime));
  info.lastWriteTime = ToFileTime(FromStatxTime(stx.stx_mtime));
  info.size = ReportedSize(stx);
  return info;
}
