// The system calls of the file-system family, called through one table of
// function pointers (as SQLite's os_unix.c does). The program's table holds
// the plain calls; tests put their own versions in its place
// (tests/support/syscall_faults.h) to make a call fail or act at a chosen moment.
//
// Every path-taking entry is the *at() form: a directory descriptor (AT_FDCWD
// or the layer's kept current-directory descriptor) plus a name. The entries
// are named for the operation; the comment gives the system call behind it.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/vfs.h>

struct SyscallTable {
  int (*open)(int dirFd, const char* path, int flags, mode_t mode);  // openat
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, size_t size);
  ssize_t (*write)(int fd, const void* buffer, size_t size);
  ssize_t (*getdents)(int fd, void* buffer, size_t size);  // getdents64: a listing read in blocks
  off_t (*seek)(int fd, off_t offset, int whence);         // lseek: a listing read again from its start
  int (*stat)(int dirFd, const char* path, int flags, unsigned mask, struct statx* out);  // statx
  int (*chdir)(int dirFd);                                                                // fchdir
  ssize_t (*getxattr)(const char* path, const char* name, void* value, size_t size);     // lgetxattr
  int (*setxattr)(const char* path, const char* name, const void* value, size_t size, int flags);  // lsetxattr
  int (*removexattr)(const char* path, const char* name);                                // lremovexattr
  ssize_t (*fgetxattr)(int fd, const char* name, void* value, size_t size);
  int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
  int (*unlink)(int dirFd, const char* path);  // unlinkat
  int (*rmdir)(int dirFd, const char* path);   // unlinkat(AT_REMOVEDIR)
  int (*rename)(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath);  // renameat
  int (*mkdir)(int dirFd, const char* path, mode_t mode);                                // mkdirat
  int (*chmod)(int dirFd, const char* path, mode_t mode);                                // fchmodat
  int (*fchmod)(int fd, mode_t mode);
  int (*utimens)(int dirFd, const char* path, const struct timespec times[2], int flags);  // utimensat
  int (*futimens)(int fd, const struct timespec times[2]);
  ssize_t (*copy_file_range)(int inFd, off_t* inOffset, int outFd, off_t* outOffset, size_t size,
                             unsigned flags);
  int (*ftruncate)(int fd, off_t length);
  int (*fsync)(int fd);
  ssize_t (*listxattr)(const char* path, char* list, size_t size);  // llistxattr
  ssize_t (*flistxattr)(int fd, char* list, size_t size);
  int (*fremovexattr)(int fd, const char* name);
  ssize_t (*readlink)(int dirFd, const char* path, char* buffer, size_t size);  // readlinkat
  int (*symlink)(const char* target, int dirFd, const char* path);               // symlinkat
  int (*link)(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath);  // linkat
  // renameat2(RENAME_NOREPLACE): fails with EEXIST when newPath exists.
  int (*rename_noreplace)(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath);
  int (*chown)(int dirFd, const char* path, uid_t owner, gid_t group);  // fchownat, never following a link
  int (*statfs)(const char* path, struct statfs* out);
  // linkat with its flags: names an open file made without a name (O_TMPFILE),
  // by AT_EMPTY_PATH or by its /proc/self/fd link with AT_SYMLINK_FOLLOW.
  int (*link_with_flags)(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath, int flags);
};

// The table the layer calls through; its entries start as the real calls.
extern SyscallTable Sys;
