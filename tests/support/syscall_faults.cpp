// Versions of the layer's system calls that ask the armed faults whether to
// fail, then hand on to the plain call.
#include "support/syscall_faults.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <iterator>
#include <vector>

#include "platform/posix/syscalls.h"

namespace {

enum CallId { kOpen, kChdir, kGetdents, kGetxattr, kSetxattr, kUnlink, kWrite, kCopyFileRange, kStat, kCallCount };
const char* const CallNames[] = {"open",   "chdir", "getdents", "getxattr",        "setxattr",
                                 "unlink", "write", "copy_file_range", "stat"};
static_assert(std::size(CallNames) == kCallCount);

struct ArmedFault {
  CallId id;
  SyscallFault fault;
  unsigned seen = 0, acted = 0;  // calls `when` accepted, calls acted on
};

SyscallTable Plain;
bool Installed = false;
std::vector<ArmedFault> Armed;

// True (errno set) when an armed fault makes this call fail.
bool Fails(CallId id, int fd, const char* name) {
  for (ArmedFault& armed : Armed) {
    const SyscallFault& f = armed.fault;
    if (armed.id != id || (f.when && !f.when(fd, name))) continue;
    if (++armed.seen < f.nth || armed.acted >= f.count) continue;
    armed.acted++;
    if (f.delayMs) std::this_thread::sleep_for(std::chrono::milliseconds(f.delayMs));
    if (f.err == 0) return false;
    errno = f.err;
    return true;
  }
  return false;
}

int Open(int d, const char* p, int f, mode_t m) { return Fails(kOpen, d, p) ? -1 : Plain.open(d, p, f, m); }
int Chdir(int fd) { return Fails(kChdir, fd, "") ? -1 : Plain.chdir(fd); }
ssize_t Getdents(int fd, void* b, size_t n) { return Fails(kGetdents, fd, "") ? -1 : Plain.getdents(fd, b, n); }
ssize_t Getxattr(const char* p, const char* n, void* v, size_t s) {
  return Fails(kGetxattr, -1, n) ? -1 : Plain.getxattr(p, n, v, s);
}
int Setxattr(const char* p, const char* n, const void* v, size_t s, int f) {
  return Fails(kSetxattr, -1, p) ? -1 : Plain.setxattr(p, n, v, s, f);
}
int Unlink(int d, const char* p) { return Fails(kUnlink, d, p) ? -1 : Plain.unlink(d, p); }
ssize_t Write(int fd, const void* b, size_t n) { return Fails(kWrite, fd, "") ? -1 : Plain.write(fd, b, n); }
ssize_t CopyFileRange(int in, off_t* inAt, int out, off_t* outAt, size_t n, unsigned flags) {
  return Fails(kCopyFileRange, out, "") ? -1 : Plain.copy_file_range(in, inAt, out, outAt, n, flags);
}

int Stat(int d, const char* p, int f, unsigned m, struct statx* out) {
  return Fails(kStat, d, p) ? -1 : Plain.stat(d, p, f, m, out);
}

}  // namespace

bool ArmSyscallFault(SyscallFault fault) {
  auto named = [&](const char* name) { return strcmp(name, fault.call) == 0; };
  int id = std::find_if(std::begin(CallNames), std::end(CallNames), named) - std::begin(CallNames);
  if (id == kCallCount) return false;
  if (!Installed) {
    Plain = Sys;
    Sys.open = Open, Sys.chdir = Chdir, Sys.getdents = Getdents, Sys.setxattr = Setxattr, Sys.unlink = Unlink;
    Sys.getxattr = Getxattr, Sys.write = Write, Sys.copy_file_range = CopyFileRange;
    Sys.stat = Stat;
    Installed = true;
  }
  Armed.push_back(ArmedFault{(CallId)id, std::move(fault)});
  return true;
}

void ClearSyscallFaults() {
  if (Installed) Sys = Plain;
  Installed = false;
  Armed.clear();
}
