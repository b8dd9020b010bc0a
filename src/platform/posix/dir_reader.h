// Reading an open directory in blocks with getdents64 (through the
// system-call table), the way the walk reads the directory it holds.
#pragma once

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/syscalls.h"

// Calls take(name, type) for every entry of the directory open as fd
// (readable, read from its current offset) but `.` and `..`; type is the
// entry's d_type (DT_UNKNOWN where the file system gives none). Returns 0,
// or the errno of a failed read after the names read before it were given.
// A name may be read in 16-byte steps up to the step that holds its
// terminator: the block is followed by 16 zero bytes.
template <typename Take>
int ForEachDirectoryEntry(int fd, Take take) {
  constexpr size_t kBlockSize = 32768;
  alignas(struct dirent64) char block[kBlockSize + 16];
  for (;;) {
    ssize_t length = Sys.getdents(fd, block, kBlockSize);
    if (length < 0) return errno;
    if (length == 0) return 0;
    memset(block + length, 0, 16);
    for (ssize_t at = 0; at < length;) {
      const struct dirent64* entry = reinterpret_cast<const struct dirent64*>(block + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      take(name, entry->d_type);
    }
  }
}

// The same calling take(name).
template <typename Take>
int ForEachDirectoryName(int fd, Take take) {
  return ForEachDirectoryEntry(fd, [&take](const char* name, unsigned char) { take(name); });
}
