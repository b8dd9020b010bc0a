// The least a deletion that counts its bytes can do: for every entry of a
// tree, one statx (the size, and the mode a read-only check needs) and one
// unlinkat; directories are emptied first and then removed. No output, no
// sorting, no checks: changing.sh times it against rm -rf to show what the
// one statx per file costs by itself.
//
//   stat_unlink DIR     prints the bytes counted to standard error
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static unsigned long long Bytes;

static int RemoveTree(int parent, const char* name);

static int EmptyDirectory(int fd) {
  DIR* dir = fdopendir(dup(fd));
  if (!dir) return -1;
  int failed = 0;
  for (struct dirent* entry; (entry = readdir(dir));) {
    if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
    struct statx stx;
    if (statx(fd, entry->d_name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0) {
      failed = -1;
    } else if (S_ISDIR(stx.stx_mode)) {
      failed |= RemoveTree(fd, entry->d_name);
    } else {
      Bytes += stx.stx_size;
      if (unlinkat(fd, entry->d_name, 0) != 0) failed = -1;
    }
  }
  closedir(dir);
  return failed;
}

static int RemoveTree(int parent, const char* name) {
  int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  int failed = EmptyDirectory(fd);
  close(fd);
  return unlinkat(parent, name, AT_REMOVEDIR) != 0 ? -1 : failed;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: stat_unlink DIR\n");
    return 2;
  }
  int failed = RemoveTree(AT_FDCWD, argv[1]);
  fprintf(stderr, "%llu bytes\n", Bytes);
  return failed ? 1 : 0;
}
