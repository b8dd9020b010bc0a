// The real system calls behind SyscallTable.
#include "platform/posix/syscalls.h"

#include <dirent.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>  // renameat


namespace {

int PlainOpen(int dirFd, const char* path, int flags, mode_t mode) { return openat(dirFd, path, flags, mode); }
int PlainUnlink(int dirFd, const char* path) { return unlinkat(dirFd, path, 0); }
int PlainRmdir(int dirFd, const char* path) { return unlinkat(dirFd, path, AT_REMOVEDIR); }
int PlainChmod(int dirFd, const char* path, mode_t mode) { return fchmodat(dirFd, path, mode, 0); }

}  // namespace

SyscallTable Sys = {
    PlainOpen, close,     read,        write,      getdents64,      lseek,     statx,
    fchdir,    lgetxattr, lsetxattr,   lremovexattr, fgetxattr,     fsetxattr, PlainUnlink,
    PlainRmdir, renameat, mkdirat,     PlainChmod, fchmod,          utimensat, futimens,
    copy_file_range, ftruncate, fsync, llistxattr};
