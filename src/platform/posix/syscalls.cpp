// The real system calls behind SyscallTable.
#include "platform/posix/syscalls.h"

#include <dirent.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>  // renameat, renameat2


namespace {

int PlainOpen(int dirFd, const char* path, int flags, mode_t mode) { return openat(dirFd, path, flags, mode); }
int PlainUnlink(int dirFd, const char* path) { return unlinkat(dirFd, path, 0); }
int PlainRmdir(int dirFd, const char* path) { return unlinkat(dirFd, path, AT_REMOVEDIR); }
int PlainChmod(int dirFd, const char* path, mode_t mode) { return fchmodat(dirFd, path, mode, 0); }
int PlainLink(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath) {
  return linkat(oldDirFd, oldPath, newDirFd, newPath, 0);
}
int PlainRenameNoReplace(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath) {
  return renameat2(oldDirFd, oldPath, newDirFd, newPath, RENAME_NOREPLACE);
}
int PlainChown(int dirFd, const char* path, uid_t owner, gid_t group) {
  return fchownat(dirFd, path, owner, group, AT_SYMLINK_NOFOLLOW);
}

}  // namespace

SyscallTable Sys = {
    PlainOpen, close,     read,        write,      getdents64,      lseek,     statx,
    fchdir,    lgetxattr, lsetxattr,   lremovexattr, fgetxattr,     fsetxattr, PlainUnlink,
    PlainRmdir, renameat, mkdirat,     PlainChmod, fchmod,          utimensat, futimens,
    copy_file_range, ftruncate, fsync, llistxattr, flistxattr, fremovexattr, readlinkat, symlinkat,
    PlainLink, PlainRenameNoReplace, PlainChown, statfs, linkat};
