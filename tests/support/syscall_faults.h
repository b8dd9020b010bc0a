// The one way tests make the layer's system calls fail or act at a chosen
// moment, without root or special file systems: the layer calls through
// SyscallTable (src/platform/posix/syscalls.h), and arming a fault puts
// counting versions of the calls below in the table's place until
// ClearSyscallFaults. The calls that can be armed: open, chdir (fchdir),
// getdents (getdents64), setxattr; add one in
// syscall_faults.cpp when a test needs it.
//
//   ArmSyscallFault({"getdents", 2, EIO});           // the second getdents from now fails
//   ArmSyscallFault({"setxattr", 1, ENOTSUP, 100});  // the next 100 fail
//   ArmSyscallFault({.call = "open", .err = EACCES,  // the next open of "victim" fails
//                    .when = [](int, const char* name) { return strcmp(name, "victim") == 0; }});
#pragma once

#include <functional>

struct SyscallFault {
  const char* call;    // one of the calls above
  unsigned nth = 1;    // the first call acted on (1 = the next), counting only calls `when` accepts
  int err = 0;         // the errno the calls acted on fail with
  unsigned count = 1;  // how many calls are acted on from the nth on
  // Which calls count, given the descriptor (or -1) and the name ("" if none); all when empty.
  std::function<bool(int fd, const char* name)> when{};
};

// Arms a fault (several may be armed at once). False for a call that cannot be armed.
bool ArmSyscallFault(SyscallFault fault);

// Disarms every fault and gives the table back its plain calls.
void ClearSyscallFaults();
