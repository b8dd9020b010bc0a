// The one translation from errno values to Win32 error codes. Callers that
// know more than errno does (a missing parent, a directory that exists) pick
// the code themselves; everything else comes from this table.
#include <cerrno>

#include "platform/posix/layer.h"

DWORD Win32ErrorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EIO: return ERROR_IO_DEVICE;
    case EBUSY: return ERROR_BUSY;
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return ERROR_NOT_READY;
    case EILSEQ: return ERROR_INVALID_NAME;
    case ENOTSUP:
    case ENOSYS: return ERROR_NOT_SUPPORTED;
    case EPIPE: return ERROR_NO_DATA;  // a write to a pipe nobody reads
    default: return ERROR_GEN_FAILURE;  // never 0, whatever errno held
  }
}

DWORD SetLastErrorFromErrno(int err) {
  DWORD code = Win32ErrorFromErrno(err);
  SetLastError(code);
  return code;
}
