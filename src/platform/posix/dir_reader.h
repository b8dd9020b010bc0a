// Reading an open directory in blocks with getdents64 (through the
// system-call table), the way the walk reads the directory it holds.
#pragma once

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/syscalls.h"

// Calls take(name) for every entry of the directory open as fd (readable,
// read from its current offset) but `.` and `..`. Returns 0, or the errno of
// a failed read after the names read before it were given.
template <typename Take>
int ForEachDirectoryName(int fd, Take take) {
  alignas(struct dirent64) char block[32768];
  for (;;) {
    ssize_t length = Sys.getdents(fd, block, sizeof block);
    if (length < 0) return errno;
    if (length == 0) return 0;
    for (ssize_t at = 0; at < length;) {
      const struct dirent64* entry = reinterpret_cast<const struct dirent64*>(block + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      take(name);
    }
  }
}
