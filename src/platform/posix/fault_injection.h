// Test-only control of the file-system layer's system calls: make the nth
// call of one of them fail with a chosen errno, without root or special file
// systems. Names are those of the entries of SyscallTable (syscalls.h):
//   open close read write opendir readdir closedir stat chdir getxattr
//   setxattr removexattr fgetxattr fsetxattr unlink rmdir rename mkdir chmod
//   fchmod utimens futimens copy_file_range ftruncate fsync
// ("stat" is statx, used for every stat/lstat; "opendir" opens a listing;
// "readdir" reads one entry; "chdir" is the change of the current directory).
//
// Example (GoogleTest): the third readdir of the next listing fails with EIO,
// the first unlink with EACCES:
//   InjectSyscallFault("readdir", 3, EIO);
//   InjectSyscallFault("unlink", 1, EACCES);
//   ...
//   ClearSyscallFaults();
// Counting starts at the InjectSyscallFault call. Faults stay armed until
// they have fired `count` times or ClearSyscallFaults is called.
#pragma once

// Makes the nth call (1 = the next one) of `call` and the count-1 calls after
// it fail with errno `err`. One fault per call name; a new one replaces the
// old. Returns false for an unknown name.
bool InjectSyscallFault(const char* call, unsigned nth, int err, unsigned count = 1);

// Disarms every fault and sets every call counter back to 0.
void ClearSyscallFaults();

// Calls of `call` made since the last InjectSyscallFault for it or the last
// ClearSyscallFaults (0 for an unknown name).
unsigned SyscallCallCount(const char* call);
