// The real system calls behind SyscallTable.
#include "platform/posix/syscalls.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

int PlainOpen(int dirFd, const char* path, int flags, mode_t mode) { return openat(dirFd, path, flags, mode); }
DIR* PlainOpendir(int dirFd, const char* path) {
  int fd = openat(dirFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    int saved = errno;
    close(fd);
    errno = saved;
  }
  return dir;
}
struct dirent* PlainReaddir(DIR* dir) {
  errno = 0;
  return readdir(dir);
}
int PlainUnlink(int dirFd, const char* path) { return unlinkat(dirFd, path, 0); }
int PlainRmdir(int dirFd, const char* path) { return unlinkat(dirFd, path, AT_REMOVEDIR); }
int PlainChmod(int dirFd, const char* path, mode_t mode) { return fchmodat(dirFd, path, mode, 0); }

}  // namespace

SyscallTable Sys = {
    PlainOpen,  close,      read,        write,         PlainOpendir, PlainReaddir,    closedir,
    getdents64, lseek,      statx,       fchdir,        lgetxattr,    lsetxattr,       lremovexattr,
    fgetxattr,  fsetxattr,  PlainUnlink, PlainRmdir,    renameat,     mkdirat,         PlainChmod,
    fchmod,     utimensat,  futimens,    copy_file_range, ftruncate,  fsync,           llistxattr};
