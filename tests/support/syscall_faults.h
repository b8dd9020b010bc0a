// How tests make the layer's system calls fail at a chosen moment: the layer calls
// through SyscallTable (src/platform/posix/syscalls.h); an armed fault puts counting
// versions of open, chdir (fchdir), getdents (getdents64), getxattr (lgetxattr, named
// by the attribute), setxattr, unlink
// (unlinkat), write, copy_file_range and stat (statx) in its place until ClearSyscallFaults (add a
// call in syscall_faults.cpp when a test needs it).
//
//   ArmSyscallFault({"getdents", 2, EIO});           // the second getdents from now fails
//   ArmSyscallFault({"setxattr", 1, ENOTSUP, 100});  // the next 100 fail
//   ArmSyscallFault({.call = "open", .err = EACCES,  // the next open of "victim" fails
//                    .when = [](int, const char* name) { return strcmp(name, "victim") == 0; }});
//   ArmSyscallFault({.call = "write", .count = 1000, .delayMs = 50});  // slows the next 1000 writes
#pragma once

#include <functional>

struct SyscallFault {
  const char* call;    // one of the calls above
  unsigned nth = 1;    // the first call acted on (1 = the next), counting only calls `when` accepts
  int err = 0;         // the errno the calls acted on fail with
  unsigned count = 1;  // how many calls are acted on from the nth on
  // Which calls count, given the descriptor (or -1) and the name ("" if none); all when empty.
  std::function<bool(int fd, const char* name)> when{};
  unsigned delayMs = 0;  // each call acted on waits this long first; with err 0 it then goes on
};

// Arms a fault (several may be armed at once). False for a call that cannot be armed.
bool ArmSyscallFault(SyscallFault fault);

// Disarms every fault and gives the table back its plain calls.
void ClearSyscallFaults();
