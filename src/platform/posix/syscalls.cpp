// The real system calls behind SyscallTable, each preceded by the check for
// an injected fault (fault_injection.h).
#include "platform/posix/syscalls.h"

#include <sys/xattr.h>
#include <cstdio>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/fault_injection.h"

namespace {

enum CallId {
  kOpen, kClose, kRead, kWrite, kOpendir, kReaddir, kClosedir, kStat, kChdir, kGetxattr,
  kSetxattr, kRemovexattr, kFgetxattr, kFsetxattr, kUnlink, kRmdir, kRename, kMkdir, kChmod,
  kFchmod, kUtimens, kFutimens, kCopyFileRange, kFtruncate, kFsync, kListxattr, kCallCount
};

const char* const CallNames[kCallCount] = {
    "open", "close", "read", "write", "opendir", "readdir", "closedir", "stat", "chdir",
    "getxattr", "setxattr", "removexattr", "fgetxattr", "fsetxattr", "unlink", "rmdir", "rename",
    "mkdir", "chmod", "fchmod", "utimens", "futimens", "copy_file_range", "ftruncate", "fsync",
    "listxattr"};

struct CallFault {
  unsigned calls;  // calls since the fault was armed or cleared
  unsigned nth;    // first failing call; 0 when no fault is armed
  unsigned count;  // how many calls fail from nth on
  int err;
};

CallFault Faults[kCallCount];

int FindCall(const char* name) {
  for (int id = 0; id < kCallCount; id++) {
    if (strcmp(CallNames[id], name) == 0) return id;
  }
  return -1;
}

// Counts the call; true (with errno set) when this call is to fail.
bool Fails(CallId id) {
  CallFault& f = Faults[id];
  f.calls++;
  if (f.nth == 0 || f.calls < f.nth || f.calls - f.nth >= f.count) return false;
  errno = f.err;
  return true;
}

int RealOpen(int dirFd, const char* path, int flags, mode_t mode) {
  return Fails(kOpen) ? -1 : openat(dirFd, path, flags, mode);
}
int RealClose(int fd) { return Fails(kClose) ? -1 : close(fd); }
ssize_t RealRead(int fd, void* buffer, size_t size) {
  return Fails(kRead) ? -1 : read(fd, buffer, size);
}
ssize_t RealWrite(int fd, const void* buffer, size_t size) {
  return Fails(kWrite) ? -1 : write(fd, buffer, size);
}
DIR* RealOpendir(int dirFd, const char* path) {
  if (Fails(kOpendir)) return nullptr;
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
struct dirent* RealReaddir(DIR* dir) {
  if (Fails(kReaddir)) return nullptr;
  errno = 0;
  return readdir(dir);
}
int RealClosedir(DIR* dir) {
  if (Fails(kClosedir)) {
    int saved = errno;
    closedir(dir);  // the descriptor is released whatever the test asked for
    errno = saved;
    return -1;
  }
  return closedir(dir);
}
int RealStat(int dirFd, const char* path, int flags, unsigned mask, struct statx* out) {
  return Fails(kStat) ? -1 : statx(dirFd, path, flags, mask, out);
}
int RealChdir(int dirFd) { return Fails(kChdir) ? -1 : fchdir(dirFd); }
ssize_t RealGetxattr(const char* path, const char* name, void* value, size_t size) {
  return Fails(kGetxattr) ? -1 : lgetxattr(path, name, value, size);
}
int RealSetxattr(const char* path, const char* name, const void* value, size_t size, int flags) {
  return Fails(kSetxattr) ? -1 : lsetxattr(path, name, value, size, flags);
}
int RealRemovexattr(const char* path, const char* name) {
  return Fails(kRemovexattr) ? -1 : lremovexattr(path, name);
}
ssize_t RealFgetxattr(int fd, const char* name, void* value, size_t size) {
  return Fails(kFgetxattr) ? -1 : fgetxattr(fd, name, value, size);
}
int RealFsetxattr(int fd, const char* name, const void* value, size_t size, int flags) {
  return Fails(kFsetxattr) ? -1 : fsetxattr(fd, name, value, size, flags);
}
int RealUnlink(int dirFd, const char* path) {
  return Fails(kUnlink) ? -1 : unlinkat(dirFd, path, 0);
}
int RealRmdir(int dirFd, const char* path) {
  return Fails(kRmdir) ? -1 : unlinkat(dirFd, path, AT_REMOVEDIR);
}
int RealRename(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath) {
  return Fails(kRename) ? -1 : renameat(oldDirFd, oldPath, newDirFd, newPath);
}
int RealMkdir(int dirFd, const char* path, mode_t mode) {
  return Fails(kMkdir) ? -1 : mkdirat(dirFd, path, mode);
}
int RealChmod(int dirFd, const char* path, mode_t mode) {
  return Fails(kChmod) ? -1 : fchmodat(dirFd, path, mode, 0);
}
int RealFchmod(int fd, mode_t mode) { return Fails(kFchmod) ? -1 : fchmod(fd, mode); }
int RealUtimens(int dirFd, const char* path, const struct timespec times[2], int flags) {
  return Fails(kUtimens) ? -1 : utimensat(dirFd, path, times, flags);
}
int RealFutimens(int fd, const struct timespec times[2]) {
  return Fails(kFutimens) ? -1 : futimens(fd, times);
}
ssize_t RealCopyFileRange(int inFd, off_t* inOffset, int outFd, off_t* outOffset, size_t size,
                          unsigned flags) {
  return Fails(kCopyFileRange) ? -1 : copy_file_range(inFd, inOffset, outFd, outOffset, size, flags);
}
int RealFtruncate(int fd, off_t length) { return Fails(kFtruncate) ? -1 : ftruncate(fd, length); }
int RealFsync(int fd) { return Fails(kFsync) ? -1 : fsync(fd); }
ssize_t RealListxattr(const char* path, char* list, size_t size) {
  return Fails(kListxattr) ? -1 : llistxattr(path, list, size);
}

}  // namespace

SyscallTable Sys = {
    RealOpen,    RealClose,     RealRead,      RealWrite,        RealOpendir,       RealReaddir,
    RealClosedir, RealStat,     RealChdir,     RealGetxattr,     RealSetxattr,      RealRemovexattr,
    RealFgetxattr, RealFsetxattr, RealUnlink,  RealRmdir,        RealRename,        RealMkdir,
    RealChmod,   RealFchmod,    RealUtimens,   RealFutimens,     RealCopyFileRange, RealFtruncate,
    RealFsync,   RealListxattr};

bool InjectSyscallFault(const char* call, unsigned nth, int err, unsigned count) {
  int id = FindCall(call);
  if (id < 0) return false;
  Faults[id] = CallFault{0, nth, count, err};
  return true;
}

void ClearSyscallFaults() {
  for (CallFault& f : Faults) f = CallFault{0, 0, 0, 0};
}

unsigned SyscallCallCount(const char* call) {
  int id = FindCall(call);
  return id < 0 ? 0 : Faults[id].calls;
}
