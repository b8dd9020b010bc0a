// Counting versions of the layer's system calls: each counts itself, asks
// the armed faults whether to act, then hands on to the plain call.
#include "support/syscall_faults.h"

#include <cerrno>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/posix/syscalls.h"

namespace {

enum CallId {
  kOpen, kClose, kRead, kWrite, kOpendir, kReaddir, kClosedir, kGetdents, kSeek, kStat, kChdir,
  kGetxattr, kSetxattr, kRemovexattr, kFgetxattr, kFsetxattr, kUnlink, kRmdir, kRename, kMkdir,
  kChmod, kFchmod, kUtimens, kFutimens, kCopyFileRange, kFtruncate, kFsync, kListxattr, kCallCount
};

const char* const CallNames[] = {
    "open", "close", "read", "write", "opendir", "readdir", "closedir", "getdents", "seek", "stat",
    "chdir", "getxattr", "setxattr", "removexattr", "fgetxattr", "fsetxattr", "unlink", "rmdir",
    "rename", "mkdir", "chmod", "fchmod", "utimens", "futimens", "copy_file_range", "ftruncate",
    "fsync", "listxattr"};
static_assert(std::size(CallNames) == kCallCount);

struct ArmedFault {
  CallId id;
  SyscallFault fault;
  unsigned seen = 0;   // calls `when` accepted
  unsigned acted = 0;  // calls acted on
};

SyscallTable Plain;
bool Installed = false;
std::vector<ArmedFault> Armed;
unsigned Calls[kCallCount];

int FindCall(const char* name) {
  for (int id = 0; id < kCallCount; id++) {
    if (strcmp(CallNames[id], name) == 0) return id;
  }
  return -1;
}

// Counts the call and runs the faults armed for it; true (errno set) when it is to fail.
bool Fails(CallId id, int fd, const char* name) {
  Calls[id]++;
  for (ArmedFault& armed : Armed) {
    const SyscallFault& f = armed.fault;
    if (armed.id != id || (f.when && !f.when(fd, name))) continue;
    if (++armed.seen < f.nth || armed.acted >= f.count) continue;
    armed.acted++;
    if (f.before) f.before();
    if (f.err) {
      errno = f.err;
      return true;
    }
  }
  return false;
}

int Open(int d, const char* p, int f, mode_t m) { return Fails(kOpen, d, p) ? -1 : Plain.open(d, p, f, m); }
int Close(int fd) { return Fails(kClose, fd, "") ? -1 : Plain.close(fd); }
ssize_t Read(int fd, void* b, size_t n) { return Fails(kRead, fd, "") ? -1 : Plain.read(fd, b, n); }
ssize_t Write(int fd, const void* b, size_t n) { return Fails(kWrite, fd, "") ? -1 : Plain.write(fd, b, n); }
DIR* Opendir(int d, const char* p) { return Fails(kOpendir, d, p) ? nullptr : Plain.opendir(d, p); }
struct dirent* Readdir(DIR* dir) { return Fails(kReaddir, dirfd(dir), "") ? nullptr : Plain.readdir(dir); }
int Closedir(DIR* dir) {
  if (!Fails(kClosedir, dirfd(dir), "")) return Plain.closedir(dir);
  int saved = errno;
  Plain.closedir(dir);  // the descriptor is released whatever the test asked for
  errno = saved;
  return -1;
}
ssize_t Getdents(int fd, void* b, size_t n) { return Fails(kGetdents, fd, "") ? -1 : Plain.getdents(fd, b, n); }
off_t Seek(int fd, off_t o, int w) { return Fails(kSeek, fd, "") ? -1 : Plain.seek(fd, o, w); }
int Stat(int d, const char* p, int f, unsigned m, struct statx* out) {
  return Fails(kStat, d, p) ? -1 : Plain.stat(d, p, f, m, out);
}
int Chdir(int fd) { return Fails(kChdir, fd, "") ? -1 : Plain.chdir(fd); }
ssize_t Getxattr(const char* p, const char* n, void* v, size_t s) {
  return Fails(kGetxattr, -1, p) ? -1 : Plain.getxattr(p, n, v, s);
}
int Setxattr(const char* p, const char* n, const void* v, size_t s, int f) {
  return Fails(kSetxattr, -1, p) ? -1 : Plain.setxattr(p, n, v, s, f);
}
int Removexattr(const char* p, const char* n) { return Fails(kRemovexattr, -1, p) ? -1 : Plain.removexattr(p, n); }
ssize_t Fgetxattr(int fd, const char* n, void* v, size_t s) {
  return Fails(kFgetxattr, fd, "") ? -1 : Plain.fgetxattr(fd, n, v, s);
}
int Fsetxattr(int fd, const char* n, const void* v, size_t s, int f) {
  return Fails(kFsetxattr, fd, "") ? -1 : Plain.fsetxattr(fd, n, v, s, f);
}
int Unlink(int d, const char* p) { return Fails(kUnlink, d, p) ? -1 : Plain.unlink(d, p); }
int Rmdir(int d, const char* p) { return Fails(kRmdir, d, p) ? -1 : Plain.rmdir(d, p); }
int Rename(int od, const char* op, int nd, const char* np) {
  return Fails(kRename, od, op) ? -1 : Plain.rename(od, op, nd, np);
}
int Mkdir(int d, const char* p, mode_t m) { return Fails(kMkdir, d, p) ? -1 : Plain.mkdir(d, p, m); }
int Chmod(int d, const char* p, mode_t m) { return Fails(kChmod, d, p) ? -1 : Plain.chmod(d, p, m); }
int Fchmod(int fd, mode_t m) { return Fails(kFchmod, fd, "") ? -1 : Plain.fchmod(fd, m); }
int Utimens(int d, const char* p, const struct timespec t[2], int f) {
  return Fails(kUtimens, d, p) ? -1 : Plain.utimens(d, p, t, f);
}
int Futimens(int fd, const struct timespec t[2]) { return Fails(kFutimens, fd, "") ? -1 : Plain.futimens(fd, t); }
ssize_t CopyFileRange(int in, off_t* io, int out, off_t* oo, size_t n, unsigned f) {
  return Fails(kCopyFileRange, in, "") ? -1 : Plain.copy_file_range(in, io, out, oo, n, f);
}
int Ftruncate(int fd, off_t n) { return Fails(kFtruncate, fd, "") ? -1 : Plain.ftruncate(fd, n); }
int Fsync(int fd) { return Fails(kFsync, fd, "") ? -1 : Plain.fsync(fd); }
ssize_t Listxattr(const char* p, char* l, size_t s) { return Fails(kListxattr, -1, p) ? -1 : Plain.listxattr(p, l, s); }

const SyscallTable Counting = {
    Open,   Close,  Read,      Write,    Opendir,       Readdir,   Closedir, Getdents, Seek,   Stat,
    Chdir,  Getxattr, Setxattr, Removexattr, Fgetxattr, Fsetxattr, Unlink,   Rmdir,    Rename, Mkdir,
    Chmod,  Fchmod, Utimens,   Futimens, CopyFileRange, Ftruncate, Fsync,    Listxattr};

}  // namespace

bool ArmSyscallFault(SyscallFault fault) {
  int id = FindCall(fault.call);
  if (id < 0) return false;
  if (!Installed) {
    Plain = Sys;
    Sys = Counting;
    Installed = true;
  }
  Armed.push_back(ArmedFault{(CallId)id, std::move(fault)});
  return true;
}

void ClearSyscallFaults() {
  if (Installed) Sys = Plain;
  Installed = false;
  Armed.clear();
  for (unsigned& calls : Calls) calls = 0;
}

unsigned SyscallCallCount(const char* call) {
  int id = FindCall(call);
  return id < 0 ? 0 : Calls[id];
}
