// GetModuleFileNameA: the program's own path in Windows form. keltro is one
// module, so every module handle names the executable.
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/posix/layer.h"
#include "platform/posix/path_lookup.h"

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  char target[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", target, sizeof target - 1);
  if (length < 0) {
    SetLastErrorFromErrno(errno);
    return 0;
  }
  target[length] = '\0';
  std::string path = WindowsFormOf(target);
  if (nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() + 1 > nSize) {
    // Cut to nSize - 1 characters and the NUL, as Win32 does.
    memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  memcpy(lpFilename, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return (DWORD)path.size();
}
