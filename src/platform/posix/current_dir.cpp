// The current directory: GetCurrentDirectoryA, SetCurrentDirectoryA and
// GetFullPathNameA. SetCurrentDirectoryA is a real chdir; the directory is
// also kept open, and names in it are reached through that descriptor.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/win_path.h"

namespace {

// The state lives in Layer (layer_state.h).
bool& Known = Layer.currentDirKnown;
std::string& WindowsDir = Layer.currentWindowsDir;
std::string& PosixDir = Layer.currentPosixDir;
int& DirFd = Layer.currentDirFd;

void LoadCurrentDirectory() {
  if (Known) return;
  char buffer[PATH_MAX];
  PosixDir = getcwd(buffer, sizeof buffer) ? buffer : "/";
  int fd = Sys.open(AT_FDCWD, ".", O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
  DirFd = fd >= 0 ? fd : AT_FDCWD;  // the process's own current directory is the same directory
  WindowsDir = WindowsFormOf(PosixDir);
  Known = true;
}

// "C:\data\" is kept as "C:\data"; a root keeps its separator.
std::string WithoutTrailingSeparator(const std::string& full) {
  size_t root = WindowsRootLength(full);
  std::string out = full;
  while (out.size() > root && out.back() == '\\') out.pop_back();
  return out;
}

// Text result of the Get... calls: the length, or the size needed with the NUL.
DWORD CopyResult(const std::string& text, DWORD capacity, LPSTR buffer) {
  if (!buffer || text.size() + 1 > capacity) return (DWORD)(text.size() + 1);
  CopyTruncated(buffer, capacity, text);
  return (DWORD)text.size();
}

}  // namespace

const std::string& CurrentWindowsDirectory() {
  LoadCurrentDirectory();
  return WindowsDir;
}

const std::string& CurrentPosixDirectory() {
  LoadCurrentDirectory();
  return PosixDir;
}

int CurrentDirectoryFd() {
  LoadCurrentDirectory();
  return DirFd;
}

char CurrentDriveLetter() {
  const std::string& dir = CurrentWindowsDirectory();
  return dir.size() >= 2 && dir[1] == ':' ? dir[0] : 0;
}

void ForgetCurrentDirectory() {
  if (Known && DirFd >= 0) Sys.close(DirFd);
  DirFd = AT_FDCWD;
  Known = false;
}

bool FullPathOf(LPCSTR path, std::string& full) {
  return FullWindowsPath(path, CurrentWindowsDirectory(), full);
}

DWORD ChangeCurrentDirectory(LPCSTR path) {
  std::string full;
  if (!path || !FullPathOf(path, full)) return ERROR_INVALID_NAME;
  LocatedPath located;
  DWORD err = LocateFullPath(full, located);
  if (err) return err;
  if (located.missing) return located.missing;
  // A directory entered from the current one must be a directory, not a link
  // put in its place since it was listed.
  int flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
  if (located.name != "." && located.name[0] != '/') flags |= O_NOFOLLOW;
  int fd = Sys.open(located.dirFd, located.name.c_str(), flags, 0);
  if (fd < 0) return errno == ENOTDIR ? ERROR_DIRECTORY : Win32ErrorFromErrno(errno);
  if (Sys.chdir(fd) != 0) {
    int saved = errno;
    Sys.close(fd);
    return Win32ErrorFromErrno(saved);
  }
  if (DirFd >= 0) Sys.close(DirFd);
  DirFd = fd;
  PosixDir = located.posix;
  WindowsDir = WithoutTrailingSeparator(full);
  return ERROR_SUCCESS;
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  return CopyResult(CurrentWindowsDirectory(), nBufferLength, lpBuffer);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
  DWORD err = ChangeCurrentDirectory(lpPathName);
  SetLastError(err);
  return err == ERROR_SUCCESS;
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
  std::string full;
  if (!lpFileName || !FullPathOf(lpFileName, full)) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  DWORD result = CopyResult(full, nBufferLength, lpBuffer);
  if (lpFilePart && result == full.size()) {
    size_t slash = full.rfind('\\');
    bool hasName = slash != std::string::npos && slash + 1 < full.size();
    *lpFilePart = hasName ? lpBuffer + slash + 1 : nullptr;
  }
  return result;
}
