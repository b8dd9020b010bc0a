// The one way tests make the layer's system calls fail or act at a chosen
// moment, without root or special file systems: the layer calls through
// SyscallTable (src/platform/posix/syscalls.h), and arming a fault puts this
// file's counting versions in the table's place until ClearSyscallFaults.
//
//   ArmSyscallFault({"getdents", 2, EIO});        // the second getdents from now fails
//   ArmSyscallFault({"unlink", 1, EACCES});       // the next unlink fails
//   ArmSyscallFault({"setxattr", 1, ENOTSUP, 100});  // the next 100 fail
//   ArmSyscallFault({.call = "open", .err = EACCES,   // the next open of "victim"
//                    .when = [](int, const char* name) { return strcmp(name, "victim") == 0; }});
//   ArmSyscallFault({.call = "open", .err = 0,        // the tree changes just before it
//                    .before = [] { SwapParentForLink(); }});
//   EXPECT_EQ(SyscallCallCount("getdents"), 2u);
//   ClearSyscallFaults();                          // in TearDown
//
// Names are those of the table's entries; "stat" is statx, "chdir" fchdir,
// "getdents" getdents64.
#pragma once

#include <functional>

struct SyscallFault {
  const char* call;    // an entry of SyscallTable
  unsigned nth = 1;    // the first call acted on (1 = the next), counting only calls `when` accepts
  int err = 0;         // the errno the calls acted on fail with; 0 lets them run
  unsigned count = 1;  // how many calls are acted on from the nth on
  // Which calls count: given the call's descriptor (or -1) and its name
  // argument ("" for a call that takes none). All calls when empty.
  std::function<bool(int fd, const char* name)> when{};
  // Run just before each call acted on, e.g. to change the tree under the walk.
  std::function<void()> before{};
};

// Arms a fault (several may be armed at once). False for an unknown call name.
bool ArmSyscallFault(SyscallFault fault);

// Disarms every fault, gives the table back its plain calls and sets every
// call counter back to 0.
void ClearSyscallFaults();

// Calls of `call` made since the first fault was armed after the last
// ClearSyscallFaults (0 for an unknown name).
unsigned SyscallCallCount(const char* call);
