// GetFileAttributesA and SetFileAttributesA. Setting R takes every write bit
// away from a file; clearing it gives the owner's back. H, S and A are kept in
// user.DOSATTRIB as hex text; where the file system holds no user extended
// attributes they are simply not kept. A directory's mode bits are left
// alone, as Wine does: R never keeps anyone from creating files in it.
// On a share the attributes are the server's (share_attributes.cpp).
#include <cerrno>

#include "platform/posix/dos_attrib.h"
#include "platform/posix/file_info.h"
#include "platform/posix/layer.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"

namespace {

constexpr DWORD kStoredBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

mode_t ModeFor(mode_t mode, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_READONLY) return mode & ~kWriteBits;
  return (mode & kWriteBits) ? mode : mode | S_IWUSR;
}

// Stores the attribute word. Setting a user extended attribute needs write
// permission: a read-only file is opened up for the call and closed again.
int StoreDosAttrib(const LocatedPath& located, DWORD attributes, mode_t mode) {
  std::string text = DosAttribText(attributes);
  const char* path = located.posix.c_str();
  if (Sys.setxattr(path, kDosAttribXattr, text.data(), text.size(), 0) == 0) return 0;
  if (errno != EACCES || (mode & S_IWUSR)) return errno;
  if (Sys.chmod(located.dirFd, located.name.c_str(), (mode | S_IWUSR) & 07777) != 0) return errno;
  int result = Sys.setxattr(path, kDosAttribXattr, text.data(), text.size(), 0) == 0 ? 0 : errno;
  Sys.chmod(located.dirFd, located.name.c_str(), mode & 07777);
  return result;
}

BOOL Fail(DWORD err) {
  SetLastError(err);
  return FALSE;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR lpFileName) {
  std::string full;
  if (lpFileName && FullPathOf(lpFileName, full) && IsSharePath(full)) {
    ShareEntry entry;
    DWORD err = FindShareEntry(full, entry);
    SetLastError(err);
    return err ? INVALID_FILE_ATTRIBUTES : entry.info.attributes;
  }
  LocatedPath located;
  DWORD err = LocateExisting(lpFileName, located);
  if (err) {
    SetLastError(err);
    return INVALID_FILE_ATTRIBUTES;
  }
  SetLastError(ERROR_SUCCESS);
  return AttributesOf(located.stx, located.base.c_str(), located.posix);
}

BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
  LocatedPath located;
  DWORD err = LocateExisting(lpFileName, located, LookupFor::Changing);
  std::string full;  // a share path is refused by the local lookup
  if (err == ERROR_NOT_SUPPORTED && FullPathOf(lpFileName, full) && IsSharePath(full)) {
    err = SetShareAttributes(full, dwFileAttributes);
    SetLastError(err);
    return err == ERROR_SUCCESS;
  }
  if (err) return Fail(err);
  mode_t mode = located.stx.stx_mode;
  if (S_ISLNK(mode)) {  // a link keeps no attributes of its own
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }
  bool isDirectory = S_ISDIR(mode);
  DWORD word = dwFileAttributes & kStoredBits;
  mode_t wanted = isDirectory ? mode : ModeFor(mode, word);
  bool clearsReadOnly = (wanted & kWriteBits) && !(mode & kWriteBits);
  // Opening up comes before the attribute is stored, closing after it.
  if (clearsReadOnly && Sys.chmod(located.dirFd, located.name.c_str(), wanted & 07777) != 0)
    return Fail(Win32ErrorFromErrno(errno));
  if (isDirectory) word = (word & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_DIRECTORY;
  int xattrErr = StoreDosAttrib(located, word, clearsReadOnly ? wanted : mode);
  if (xattrErr && !CannotHoldUserXattr(xattrErr)) return Fail(Win32ErrorFromErrno(xattrErr));
  if (!clearsReadOnly && wanted != mode && Sys.chmod(located.dirFd, located.name.c_str(), wanted & 07777) != 0)
    return Fail(Win32ErrorFromErrno(errno));
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
