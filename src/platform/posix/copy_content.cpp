#include "platform/posix/copy_content.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/posix/dos_attrib.h"
#include "platform/posix/syscalls.h"

namespace {

constexpr off_t kKernelChunk = 1 << 30;     // what one copy_file_range is asked for at most
constexpr size_t kBufferSize = 256 * 1024;  // the buffer of read and write, made once
constexpr size_t kXattrValueMax = 65536;    // the largest value Linux holds

struct CopyState {
  int in, out;
  bool kernelCopies = true;  // until copy_file_range says it cannot copy between the two
};

// copy_file_range cannot copy across these file systems, or at all.
bool KernelCannotCopy(int err) { return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP; }

int CopyByBuffer(const CopyState& state, off_t at, off_t length) {
  static std::unique_ptr<char[]> buffer(new char[kBufferSize]);
  if (Sys.seek(state.in, at, SEEK_SET) < 0 || Sys.seek(state.out, at, SEEK_SET) < 0) return errno;
  while (length > 0) {
    ssize_t n = Sys.read(state.in, buffer.get(), (size_t)std::min<off_t>(length, kBufferSize));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;  // the file is shorter than it was
    if (int err = WriteAll(state.out, buffer.get(), (size_t)n)) return err;
    length -= n;
  }
  return 0;
}

int CopyRange(CopyState& state, off_t at, off_t length) {
  off_t inAt = at, outAt = at;
  while (length > 0 && state.kernelCopies) {
    ssize_t n = Sys.copy_file_range(state.in, &inAt, state.out, &outAt,
                                    (size_t)std::min(length, kKernelChunk), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && KernelCannotCopy(errno)) {
      state.kernelCopies = false;
      break;
    }
    if (n < 0) return errno;
    if (n == 0) return 0;  // the file is shorter than it was
    length -= n;
  }
  return length > 0 ? CopyByBuffer(state, inAt, length) : 0;
}

}  // namespace

int WriteAll(int fd, const char* data, size_t length) {
  while (length > 0) {
    ssize_t n = Sys.write(fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    data += n;
    length -= (size_t)n;
  }
  return 0;
}

int CopyFileData(int in, int out, off_t size, off_t allocated) {
  CopyState state{in, out};
  if (allocated >= size) return CopyRange(state, 0, size);  // no room for a hole: no search
  off_t at = 0;
  while (at < size) {
    off_t data = Sys.seek(in, at, SEEK_DATA);
    if (data < 0 && errno == ENXIO) break;  // nothing but a hole up to the end
    off_t hole = data < 0 ? -1 : Sys.seek(in, data, SEEK_HOLE);
    if (data < 0 || hole < 0) {
      if (errno != EINVAL) return errno;
      data = at, hole = size;  // no hole search here: all of it is data
    }
    hole = std::min(hole, size);
    if (data >= hole) break;
    if (int err = CopyRange(state, data, hole - data)) return err;
    at = hole;
  }
  return Sys.ftruncate(out, size) == 0 ? 0 : errno;
}

int CopyUserXattrs(int in, int out) {
  static std::vector<char> names(1024);
  static std::unique_ptr<char[]> value(new char[kXattrValueMax]);
  ssize_t length;
  while ((length = Sys.flistxattr(in, names.data(), names.size())) < 0 && errno == ERANGE) {
    ssize_t needed = Sys.flistxattr(in, nullptr, 0);
    if (needed < 0) return errno;
    names.resize((size_t)needed + 1024);
  }
  if (length < 0) return errno == ENOTSUP ? 0 : errno;
  for (ssize_t at = 0; at < length; at += (ssize_t)strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    if (strncmp(name, "user.", 5) != 0) continue;
    ssize_t n = Sys.fgetxattr(in, name, value.get(), kXattrValueMax);
    if (n < 0 && errno == ENODATA) continue;  // removed meanwhile
    if (n < 0) return errno;
    if (Sys.fsetxattr(out, name, value.get(), (size_t)n, 0) != 0) return CannotHoldUserXattr(errno) ? 0 : errno;
  }
  return 0;
}
