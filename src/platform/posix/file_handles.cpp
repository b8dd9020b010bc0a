// File handles: CreateFileA, ReadFile, GetFileInformationByHandle and
// SetFileTime (CloseHandle is in handles.cpp). A handle opened only for attribute access, and a handle on a
// symbolic link opened for anything but reading, acts on the entry itself by
// its path: changing a link changes the link, not its target. Handles on
// shares are share_handle.cpp's.
#include <cerrno>

#include "platform/posix/dos_attrib.h"
#include "platform/posix/file_info.h"
#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/name_cache.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"

namespace {

struct FileHandle : LayerHandle {
  int fd;             // -1 when the handle acts on the entry by its path
  std::string posix;  // the entry, for calls by path
  DWORD access;
  bool linkItself;    // FILE_FLAG_OPEN_REPARSE_POINT: a link is not followed
};

bool Reads(DWORD access) { return access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA); }
bool Writes(DWORD access) { return access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA); }
bool SetsAttributes(DWORD access) { return Writes(access) || (access & FILE_WRITE_ATTRIBUTES); }

bool CloseFile(LayerHandle* handle) {
  FileHandle* file = static_cast<FileHandle*>(handle);
  bool closed = file->fd < 0 || Sys.close(file->fd) == 0;
  if (!closed) SetLastErrorFromErrno(errno);
  delete file;
  return closed;
}

FileHandle* FindFile(HANDLE h) { return static_cast<FileHandle*>(LookupHandle(h, CloseFile)); }

HANDLE Fail(DWORD err) {
  SetLastError(err);
  return INVALID_HANDLE_VALUE;
}

int OpenFlags(DWORD access, DWORD disposition, bool exists) {
  int flags = O_CLOEXEC | O_NOCTTY;
  flags |= Writes(access) ? (Reads(access) ? O_RDWR : O_WRONLY) : O_RDONLY;
  if (!exists) flags |= O_CREAT | O_EXCL;
  if (exists && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING)) flags |= O_TRUNC;
  return flags;
}

// The disposition against what exists: 0 when the open may go on.
DWORD CheckDisposition(DWORD disposition, bool exists) {
  switch (disposition) {
    case CREATE_NEW: return exists ? ERROR_FILE_EXISTS : ERROR_SUCCESS;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING: return exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: return ERROR_SUCCESS;
  }
  return ERROR_INVALID_PARAMETER;
}

// FIFOs, sockets and devices hold no file data Win32 could open: they are
// opened without waiting (O_NONBLOCK) and refused.
bool IsRegularFile(int fd) {
  struct statx stx;
  return Sys.stat(fd, "", AT_EMPTY_PATH, STATX_TYPE, &stx) == 0 && S_ISREG(stx.stx_mode);
}

bool NoChange(const FILETIME* time) {
  if (!time) return true;
  ULONGLONG value = FromFileTime(*time);
  return value == 0 || value == ~0ULL;
}

struct timespec TimeOrOmit(const FILETIME* time) {
  if (NoChange(time)) {
    struct timespec omit = {0, UTIME_OMIT};
    return omit;
  }
  return PosixTimeFromFileTime(FromFileTime(*time));
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  LocatedPath located;
  bool changes = Writes(dwDesiredAccess) || dwCreationDisposition != OPEN_EXISTING;
  DWORD err = LocatePath(lpFileName, located, changes ? LookupFor::Changing : LookupFor::Reading);
  std::string full;  // a share path is refused by the local lookup and served by share_handle.cpp
  if (err == ERROR_NOT_SUPPORTED && FullPathOf(lpFileName, full) && IsSharePath(full))
    return OpenShareHandle(full, dwDesiredAccess, dwCreationDisposition, dwFlagsAndAttributes);
  if (err) return Fail(err);
  if (located.missing && located.missing != ERROR_FILE_NOT_FOUND) return Fail(located.missing);
  if (!located.missing && located.statErrno) return Fail(Win32ErrorFromErrno(located.statErrno));
  bool exists = !located.missing;
  err = CheckDisposition(dwCreationDisposition, exists);
  if (err) return Fail(err);

  bool isDirectory = exists && S_ISDIR(located.stx.stx_mode);
  bool isLink = exists && S_ISLNK(located.stx.stx_mode);
  if (isDirectory && !(dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) return Fail(ERROR_ACCESS_DENIED);
  bool byPath = exists && ((!Reads(dwDesiredAccess) && !Writes(dwDesiredAccess)) ||
                           (isLink && (!Reads(dwDesiredAccess) ||
                                       (dwFlagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT))));
  int fd = -1;
  if (!byPath) {
    int flags = isDirectory ? O_RDONLY | O_DIRECTORY | O_CLOEXEC
                            : OpenFlags(dwDesiredAccess, dwCreationDisposition, exists);
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    fd = Sys.open(located.dirFd, located.name.c_str(), flags | O_NONBLOCK, mode);
    if (fd < 0) return Fail(Win32ErrorFromErrno(errno));
    if (!exists && (flags & O_CREAT)) NoteNameChange(located, NameChange::Added);
    if (!isDirectory && !IsRegularFile(fd)) {
      Sys.close(fd);
      return Fail(ERROR_ACCESS_DENIED);
    }
  }
  bool linkItself = (dwFlagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) != 0;
  FileHandle* file = new FileHandle{{CloseFile}, fd, located.posix, dwDesiredAccess, linkItself};
  bool reportExisting = exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
  SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return RegisterHandle(file);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              void* lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  FileHandle* file = FindFile(hFile);
  BOOL onShare;
  if (!file && ReadShareHandle(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, onShare)) return onShare;
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (file->fd < 0 || !Reads(file->access)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD total = 0;
  while (total < nNumberOfBytesToRead) {
    ssize_t n = Sys.read(file->fd, static_cast<char*>(lpBuffer) + total, nNumberOfBytesToRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastErrorFromErrno(errno);
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
      return FALSE;
    }
    if (n == 0) break;
    total += (DWORD)n;
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

// The volume serial number from the device, the file index from the inode.
BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  FileHandle* file = FindFile(hFile);
  if (!file || !lpFileInformation) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  struct statx stx;
  int rc = file->fd >= 0 ? Sys.stat(file->fd, "", AT_EMPTY_PATH, kEntryStatxMask, &stx)
                         : Sys.stat(AT_FDCWD, file->posix.c_str(), file->linkItself ? AT_SYMLINK_NOFOLLOW : 0,
                                    kEntryStatxMask, &stx);
  if (rc != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  std::string name = file->posix.substr(file->posix.rfind('/') + 1);
  EntryInfo info = EntryInfoOf(stx, name.c_str(), file->posix);
  *lpFileInformation = BY_HANDLE_FILE_INFORMATION{
      info.attributes, info.creationTime, info.lastAccessTime, info.lastWriteTime,
      ((stx.stx_dev_major & 0xFFFu) << 20) | (stx.stx_dev_minor & 0xFFFFFu),
      (DWORD)(info.size >> 32), (DWORD)info.size, stx.stx_nlink,
      (DWORD)(stx.stx_ino >> 32), (DWORD)stx.stx_ino};
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL SetFileTime(HANDLE hFile, const FILETIME* lpCreationTime, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime) {
  BOOL onShare;
  if (SetShareHandleTime(hFile, lpCreationTime, lpLastAccessTime, lpLastWriteTime, onShare)) return onShare;
  FileHandle* file = FindFile(hFile);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!SetsAttributes(file->access)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!NoChange(lpLastAccessTime) || !NoChange(lpLastWriteTime)) {
    struct timespec times[2] = {TimeOrOmit(lpLastAccessTime), TimeOrOmit(lpLastWriteTime)};
    int rc = file->fd >= 0 ? Sys.futimens(file->fd, times)
                           : Sys.utimens(AT_FDCWD, file->posix.c_str(), times, AT_SYMLINK_NOFOLLOW);
    if (rc != 0) {
      SetLastErrorFromErrno(errno);
      return FALSE;
    }
  }
  if (!NoChange(lpCreationTime)) {
    std::string text = CreationTimeText(FromFileTime(*lpCreationTime));
    int rc = file->fd >= 0
                 ? Sys.fsetxattr(file->fd, kCreationTimeXattr, text.data(), text.size(), 0)
                 : Sys.setxattr(file->posix.c_str(), kCreationTimeXattr, text.data(), text.size(), 0);
    if (rc != 0 && !CannotHoldUserXattr(errno)) {
      SetLastErrorFromErrno(errno);
      return FALSE;
    }
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
