// CopyFileA: the copy is written into a file without a name, or under a
// temporary name, in the target's directory and named or renamed into place
// when it is complete, so a target is either the old file, untouched, or the
// whole new one. Every failure (a full disk, a read error, an interrupting
// signal: copy_temp.h) leaves no temporary file. Copied: the data (holes
// kept), the user extended attributes (with the attribute word and a stored
// creation time), the mode bits, the last-access and last-write times. A
// link is copied as a link.
// A source on a share is read through libsmbclient (share_read.cpp); a
// target on a share is written by share_write.cpp.
#include <cerrno>
#include <cstdio>

#include "platform/posix/copy_content.h"
#include "platform/posix/copy_temp.h"
#include "platform/posix/file_info.h"
#include "platform/posix/layer.h"
#include "platform/posix/listed_entry.h"
#include "platform/posix/name_cache.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/posix_acl.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"

namespace {

// Where the copy goes: the directory, the target's name relative to it, and
// what to put in front of a name to make it relative to dirFd too.
struct CopyPlace {
  int dirFd;
  std::string dirPath;  // "" when dirFd is a held directory, else the directory's path and '/'
  std::string name;
  HeldDirectory* held;  // the held parent dirFd names, or null
};

CopyPlace PlaceOf(const LocatedPath& target) {
  if (target.dirFd != AT_FDCWD) return {target.dirFd, "", target.name, target.held.get()};
  return {AT_FDCWD, target.posix.substr(0, target.posix.rfind('/') + 1), target.posix, nullptr};
}

bool SameEntry(const struct statx& a, const struct statx& b) {
  return a.stx_ino == b.stx_ino && a.stx_dev_major == b.stx_dev_major && a.stx_dev_minor == b.stx_dev_minor;
}

// Windows refuses to overwrite a directory, and a file that is read-only or
// hidden; a copy onto the source itself finds it open (32). A source on a
// share (null) is never taken for a local entry.
DWORD CheckTarget(const struct statx* source, const LocatedPath& target, bool failIfExists) {
  if (target.missing == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (target.missing) return target.missing;
  if (target.statErrno) return Win32ErrorFromErrno(target.statErrno);
  if (failIfExists) return ERROR_FILE_EXISTS;
  if (source && SameEntry(*source, target.stx)) return ERROR_SHARING_VIOLATION;
  if (S_ISDIR(target.stx.stx_mode)) return ERROR_ACCESS_DENIED;
  DWORD attributes = AttributesOf(target.stx, target.base.c_str(), target.posix);
  return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

void TimesOf(const struct statx& stx, struct timespec times[2]) {
  times[0] = {(time_t)stx.stx_atime.tv_sec, (long)stx.stx_atime.tv_nsec};
  times[1] = {(time_t)stx.stx_mtime.tv_sec, (long)stx.stx_mtime.tv_nsec};
}

// Renames the finished temporary file onto the target; with failIfExists
// never over an existing one (EEXIST). Where the file system cannot rename
// without replacing, a second link is made, which fails the same way.
int PutInPlace(const CopyPlace& place, bool failIfExists) {
  const char* temp = CopyTempName();
  if (!failIfExists) return Sys.rename(place.dirFd, temp, place.dirFd, place.name.c_str()) == 0 ? 0 : errno;
  if (Sys.rename_noreplace(place.dirFd, temp, place.dirFd, place.name.c_str()) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (Sys.link(place.dirFd, temp, place.dirFd, place.name.c_str()) != 0) return errno;
  Sys.unlink(place.dirFd, temp);
  return 0;
}

// The data and what belongs to the file, into the open temporary file `out`;
// its mode too unless it was made with it (hasMode), its extended attributes
// unless the source is known to hold none (withoutXattrs).
int CopyIntoTemp(int in, int out, const struct statx& stx, bool hasMode, bool withoutXattrs) {
  struct timespec times[2];
  TimesOf(stx, times);
  if (int err = CopyFileData(in, out, (off_t)stx.stx_size, (off_t)stx.stx_blocks * 512)) return err;
  // Before the mode: a read-only file takes none.
  if (int err = withoutXattrs ? 0 : CopyUserXattrs(in, out)) return err;
  if (!hasMode && Sys.fchmod(out, stx.stx_mode & 07777) != 0) return errno;
  return Sys.futimens(out, times) == 0 ? 0 : errno;
}

// The process's umask, read once: the program never changes it.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
  }();
  return mask;
}

// Whether a file made in the held directory dir with `mode` gets exactly that
// mode, so that no fchmod need follow: none of its bits is one the umask
// takes away, the directory has no default ACL to make it another (read once
// per held directory), it has no set-ID or sticky bit (a write clears those),
// and it has the owner's write bit, without which the copy's extended
// attributes could not be set.
bool MakesWithMode(mode_t mode, HeldDirectory* dir) {
  if (!dir || (mode & 07000) || !(mode & S_IWUSR) || (mode & ProcessUmask())) return false;
  if (dir->defaultAcl < 0) {
    bool none = Sys.fgetxattr(dir->fd, kDefaultAclXattr, nullptr, 0) < 0 && (errno == ENODATA || errno == ENOTSUP);
    dir->defaultAcl = none ? 0 : 1;
  }
  return dir->defaultAcl == 0;
}

bool SameTime(const struct statx_timestamp& a, const struct statx_timestamp& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Opens the source as a file, without following a link: -1 with errno when
// it cannot be opened or is no file. stx takes the open file's state. Only
// what was a file is opened: opening a device can act on it (a tape rewinds
// when it is closed). The entry's kind is the one the listing has just read
// of it (listed_entry.h), else read by name. Either leaves a moment in which
// the entry may be replaced: only root can make a device node, and the
// descriptor's own state refuses whatever is no file once opened, without
// blocking (O_NONBLOCK) or taking a terminal (O_NOCTTY).
// withoutXattrs: the listing found the entry without any extended attribute,
// and the open file is that entry, unchanged since (its inode change time,
// which a change of an attribute moves): its attributes need not be read
// again. An attribute set between that read and the copy's is lost as one
// set just after the copy's would be.
int OpenSourceFile(const LocatedPath& source, struct statx& stx, bool& withoutXattrs) {
  bool listedWithoutXattrs = false;
  if (!TakeListedEntry(source.dirFd, source.name.c_str(), stx, &listedWithoutXattrs) &&
      Sys.stat(source.dirFd, source.name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &stx) != 0)
    return -1;
  struct statx listed = stx;
  if (!S_ISREG(stx.stx_mode)) {
    errno = EACCES;
    return -1;
  }
  int in = Sys.open(source.dirFd, source.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (in < 0) return -1;
  bool statted = Sys.stat(in, "", AT_EMPTY_PATH, kEntryStatxMask, &stx) == 0;
  withoutXattrs = listedWithoutXattrs && statted && SameEntry(listed, stx) && SameTime(listed.stx_ctime, stx.stx_ctime);
  if (statted && S_ISREG(stx.stx_mode)) return in;
  int err = statted ? EACCES : errno;  // no longer a file: refused as one
  Sys.close(in);
  errno = err;
  return -1;
}

// What CopyThroughUnnamedFile gives when the copy is to be made through a
// named temporary file instead; no errno has this value.
constexpr int kUseNamedFile = -1;

// False once the system has shown it cannot make or name a file without a
// name (O_TMPFILE) in the target's file system: later copies go the named way.
bool UnnamedFilesWork = true;

// O_TMPFILE is unknown to the kernel or to the file system.
bool CannotMakeUnnamed(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL; }

// Gives the finished unnamed file `out` the target's name: by its descriptor
// where the process may (AT_EMPTY_PATH), else through /proc. Never replaces
// (EEXIST).
int LinkUnnamed(int out, const CopyPlace& place) {
  static bool emptyPathRefused = false;  // without CAP_DAC_READ_SEARCH, before Linux 6.10
  if (!emptyPathRefused) {
    if (Sys.link_with_flags(out, "", place.dirFd, place.name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
    emptyPathRefused = true;
  }
  char procPath[32];
  snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", out);
  if (Sys.link_with_flags(AT_FDCWD, procPath, place.dirFd, place.name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  UnnamedFilesWork = false;  // no /proc; or the directory is gone, and the named way fails too
  return kUseNamedFile;
}

// A copy onto a missing target through a file that has no name until it is
// complete: a failure or an interruption leaves nothing to remove. Gives
// kUseNamedFile, with `in` still open, where that cannot be done: the file
// system makes no such file, or the target has appeared meanwhile and is to
// be replaced.
int CopyThroughUnnamedFile(int in, const struct statx& stx, bool withoutXattrs, const CopyPlace& place,
                           bool failIfExists) {
  const char* dir = place.dirPath.empty() ? "." : place.dirPath.c_str();
  mode_t mode = stx.stx_mode & 07777;
  bool withMode = MakesWithMode(mode, place.held);  // no one can open it by a name meanwhile
  int out = Sys.open(place.dirFd, dir, O_WRONLY | O_TMPFILE | O_CLOEXEC, withMode ? mode : 0600);
  if (out < 0 && CannotMakeUnnamed(errno)) UnnamedFilesWork = false;
  int err = out < 0 ? (UnnamedFilesWork ? errno : kUseNamedFile) : CopyIntoTemp(in, out, stx, withMode, withoutXattrs);
  if (out >= 0 && !err) err = LinkUnnamed(out, place);
  if (err == EEXIST && !failIfExists) err = kUseNamedFile;
  bool named = out >= 0 && !err;
  if (out >= 0 && Sys.close(out) != 0 && !err) err = errno;  // a network file system reports late,
  if (err && named) Sys.unlink(place.dirFd, place.name.c_str());  // and the copy may not be whole
  if (err != kUseNamedFile) Sys.close(in);
  return err;
}

// Copies the open source `in` (closed here) through a temporary file: an
// unnamed one onto a missing target, else one named in the target's directory.
int CopyRegularFile(int in, const struct statx& stx, bool withoutXattrs, const CopyPlace& place, bool failIfExists,
                    bool targetMissing) {
  if (targetMissing && UnnamedFilesWork) {
    int err = CopyThroughUnnamedFile(in, stx, withoutXattrs, place, failIfExists);
    if (err != kUseNamedFile) return err;
  }
  int out = MakeCopyTemp(place.dirFd, place.dirPath, [&](const char* name) {
    return Sys.open(place.dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  });
  int err = out < 0 ? errno : CopyIntoTemp(in, out, stx, false, withoutXattrs);
  Sys.close(in);
  if (out >= 0 && Sys.close(out) != 0 && !err) err = errno;  // a network file system reports late
  if (!err) err = PutInPlace(place, failIfExists);
  EndCopyTemp(err != 0);
  return err;
}

int CopyLink(const LocatedPath& source, const CopyPlace& place, bool failIfExists) {
  char target[4096];
  ssize_t length = Sys.readlink(source.dirFd, source.name.c_str(), target, sizeof target);
  if (length < 0) return errno;
  if ((size_t)length >= sizeof target) return ENAMETOOLONG;
  target[length] = '\0';
  if (MakeCopyTemp(place.dirFd, place.dirPath,
                   [&](const char* name) { return Sys.symlink(target, place.dirFd, name); }) < 0)
    return errno;
  struct timespec times[2];
  TimesOf(source.stx, times);
  int err = Sys.utimens(place.dirFd, CopyTempName(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
  if (!err) err = PutInPlace(place, failIfExists);
  EndCopyTemp(err != 0);
  return err;
}

// The data of a file of a share, its last-access and last-write times, into
// the open temporary file `out`. Its mode is the one a new file gets.
int CopyShareIntoTemp(ShareFile& in, int out) {
  static char buffer[1 << 16];
  for (;;) {
    long length = ReadShareFile(in, buffer, sizeof buffer);
    if (length < 0) return errno;
    if (length == 0) break;
    if (int err = WriteAll(out, buffer, (size_t)length)) return err;
  }
  struct timespec times[2] = {in.accessTime, in.writeTime};
  return Sys.futimens(out, times) == 0 ? 0 : errno;
}

// A file of a share copied to a local target, through a temporary file as
// every copy; the attribute word the server reports is set on the copy.
BOOL CopyFromShare(const std::string& source, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  ShareFile in;
  if (DWORD err = OpenShareFile(source, in)) return FailWith(err);
  LocatedPath target;
  DWORD err = LocatePath(lpNewFileName, target, LookupFor::Changing);
  if (!err) err = CheckTarget(nullptr, target, bFailIfExists);
  if (err) {
    CloseShareFile(in);
    return FailWith(err);
  }
  CopyPlace place = PlaceOf(target);
  int out = MakeCopyTemp(place.dirFd, place.dirPath, [&](const char* name) {
    return Sys.open(place.dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  });
  int copyErr = out < 0 ? errno : CopyShareIntoTemp(in, out);
  CloseShareFile(in);
  if (out >= 0 && Sys.close(out) != 0 && !copyErr) copyErr = errno;
  if (!copyErr) copyErr = PutInPlace(place, bFailIfExists);
  EndCopyTemp(copyErr != 0);
  if (copyErr) return FailWith(Win32ErrorFromErrno(copyErr));
  NoteNameChange(target, target.missing ? NameChange::Added : NameChange::Replaced);
  return SetFileAttributesA(lpNewFileName, in.attributes);
}

// Whether path names a file of a share; full takes its full form. A path
// that names its drive ("C:...") names none, and is not folded to tell.
bool NamesShare(LPCSTR path, std::string& full) {
  if (!path || (path[0] && path[1] == ':')) return false;
  return FullPathOf(path, full) && IsSharePath(full);
}

// Most sources are files named as spelled: their kind is the listing's or
// read by name, they are opened and known from the open file; any other is
// located first.
// A directory gives 5; an entry that is neither a file, a link nor a
// directory gives 50.
BOOL CopyLocalFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists, LocatedPath& source,
                   LocatedPath& target) {
  DWORD err = PlacePath(lpExistingFileName, source);
  if (err) return FailWith(err);
  bool withoutXattrs = false;
  int in = OpenSourceFile(source, source.stx, withoutXattrs);
  if (in < 0) {
    err = LocateExisting(lpExistingFileName, source);
    // Not access denied for a device or a FIFO: that would make the copy take
    // its target directory over and open it to everyone.
    mode_t mode = source.stx.stx_mode;
    if (!err && !S_ISLNK(mode) && !S_ISREG(mode)) err = S_ISDIR(mode) ? ERROR_ACCESS_DENIED : ERROR_NOT_SUPPORTED;
    if (err) return FailWith(err);
  }
  bool isLink = in < 0 && S_ISLNK(source.stx.stx_mode);
  err = LocatePath(lpNewFileName, target, LookupFor::Changing);
  if (!err) err = CheckTarget(&source.stx, target, bFailIfExists);
  if (err) {
    if (in >= 0) Sys.close(in);
    return FailWith(err);
  }
  CopyPlace place = PlaceOf(target);
  int copyErr;
  if (isLink) {
    copyErr = CopyLink(source, place, bFailIfExists);
  } else if (in < 0 && (in = OpenSourceFile(source, source.stx, withoutXattrs)) < 0) {
    copyErr = errno;
  } else {
    copyErr = CopyRegularFile(in, source.stx, withoutXattrs, place, bFailIfExists,
                              target.missing == ERROR_FILE_NOT_FOUND);
  }
  if (copyErr) return FailWith(Win32ErrorFromErrno(copyErr));
  NoteNameChange(target, target.missing ? NameChange::Added : NameChange::Replaced);
  return Succeed();
}

}  // namespace

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  std::string sourceFull, targetFull;
  if (NamesShare(lpNewFileName, targetFull)) return CopyToShare(lpExistingFileName, targetFull, bFailIfExists);
  if (NamesShare(lpExistingFileName, sourceFull)) return CopyFromShare(sourceFull, lpNewFileName, bFailIfExists);
  static LocatedPath source, target;  // kept: the room of their texts serves the next copy
  BOOL copied = CopyLocalFile(lpExistingFileName, lpNewFileName, bFailIfExists, source, target);
  source.held.reset();  // no directory stays open for them
  target.held.reset();
  return copied;
}
