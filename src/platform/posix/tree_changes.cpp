// DeleteFileA, RemoveDirectoryA and CreateDirectoryA. Each acts on the
// entry as the lookup located it: relative to the held current directory
// when the entry lies in it, so a directory swapped for a link during a walk
// never leads a change out of the tree. Links are acted on themselves.
// Paths on a share are changed through libsmbclient (share_changes.cpp).
#include <cerrno>

#include "platform/posix/held_parents.h"
#include "platform/posix/layer.h"
#include "platform/posix/name_cache.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// True when path is on a share (share_changes.cpp serves it); full is its
// full form. Asked only after the local lookup refused the path with 50, as
// it refuses every share path, so a local change folds its path once.
bool OnShare(DWORD localError, LPCSTR path, std::string& full) {
  return localError == ERROR_NOT_SUPPORTED && path && FullPathOf(path, full) && IsSharePath(full);
}

BOOL Done(DWORD err) { return err ? FailWith(err) : Succeed(); }

// Deletes the entry `name` of dirFd whose mode is given: 0 or a Win32 error code.
DWORD Unlink(int dirFd, const char* name, mode_t mode) {
  if (S_ISDIR(mode) || (S_ISREG(mode) && !(mode & kWriteBits))) return ERROR_ACCESS_DENIED;
  return Sys.unlink(dirFd, name) != 0 ? Win32ErrorFromErrno(errno) : ERROR_SUCCESS;
}

// DeleteFileA's work on a local entry: 0 or a Win32 error code.
DWORD DeleteLocated(const LocatedPath& located) {
  DWORD err = Unlink(located.dirFd, located.name.c_str(), located.stx.stx_mode);
  if (!err) NoteNameChange(located, NameChange::Removed);
  return err;
}

// A walk's deletion of an entry of the current directory that its listing
// has just stat'ed, while the directory's names are not kept (so none
// follow the change): done by the entry's name, with no path built. False,
// with nothing done, when the path is not such an entry.
bool DeleteJustListed(LPCSTR path, DWORD& err) {
  struct statx stx;
  size_t length;
  const char* name = !path || KeepsNamesOf(CurrentPosixDirectory()) ? nullptr : TakeJustListed(path, stx, length);
  if (name) err = Unlink(CurrentDirectoryFd(), name, stx.stx_mode);
  return name != nullptr;
}

}  // namespace

// A directory gives 5, as on Windows; so does a regular file with the
// read-only attribute (no write bit), so that the caller's take-over and
// retry work as they do there.
BOOL DeleteFileA(LPCSTR lpFileName) {
  DWORD err;
  if (DeleteJustListed(lpFileName, err)) return Done(err);
  static LocatedPath located;  // kept: the room of its texts serves the next delete
  err = LocateExisting(lpFileName, located, LookupFor::Changing);
  std::string full;
  if (OnShare(err, lpFileName, full)) err = DeleteShareFile(full);
  else if (!err) err = DeleteLocated(located);
  located.held.reset();  // no directory stays open for it
  return Done(err);
}

// A file or a link (also one to a directory) gives 267; the current directory
// itself 32, as the open handle Windows holds on it refuses the removal.
BOOL RemoveDirectoryA(LPCSTR lpPathName) {
  LocatedPath located;
  DWORD err = LocateExisting(lpPathName, located, LookupFor::Changing);
  std::string full;
  if (OnShare(err, lpPathName, full)) return Done(RemoveShareDirectory(full));
  if (err) return FailWith(err);
  if (!S_ISDIR(located.stx.stx_mode)) return FailWith(ERROR_DIRECTORY);
  if (located.name == ".") return FailWith(ERROR_SHARING_VIOLATION);
  if (Sys.rmdir(located.dirFd, located.name.c_str()) != 0)
    return FailWith(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : Win32ErrorFromErrno(errno));
  ForgetHeldDirectory(located.posix);
  NoteNameChange(located, NameChange::Removed);
  return Succeed();
}

// Any entry of that name (a file, a dangling link) gives 183; a missing
// parent 3. The security attributes are ignored: the directory gets the
// process's default mode.
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
  LocatedPath located;
  DWORD err = LocatePath(lpPathName, located, LookupFor::Changing);
  std::string full;
  if (OnShare(err, lpPathName, full)) return Done(CreateShareDirectory(full));
  if (err) return FailWith(err);
  if (located.missing && located.missing != ERROR_FILE_NOT_FOUND) return FailWith(located.missing);
  if (Sys.mkdir(located.dirFd, located.name.c_str(), 0777) == 0) {
    NoteNameChange(located, NameChange::DirectoryAdded);
    return Succeed();
  }
  if (errno == EEXIST) return FailWith(ERROR_ALREADY_EXISTS);
  return FailWith(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
}
