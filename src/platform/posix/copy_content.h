// What CopyFileA copies from one open file into another: the data, holes
// kept, and the user extended attributes.
#pragma once

#include <sys/types.h>

// Copies the first `size` bytes of `in` into the empty file `out` at the same
// offsets; each range with copy_file_range, or with read and write where the
// kernel cannot copy between the two. A file with fewer bytes `allocated` on
// disk than its size has holes: it is copied range of data by range of data
// (SEEK_DATA / SEEK_HOLE), so holes stay holes, and out's length is set to
// `size` at the end. 0 or the errno of the failure.
int CopyFileData(int in, int out, off_t size, off_t allocated);

// Copies every user.* extended attribute (Samba keeps the DOS attributes and
// alternate data streams there). A target file system that holds none is no
// failure. 0 or the errno.
int CopyUserXattrs(int in, int out);

// Writes all `length` bytes at fd's offset (a short write goes on, EINTR is
// retried): 0 or the errno.
int WriteAll(int fd, const char* data, size_t length);
