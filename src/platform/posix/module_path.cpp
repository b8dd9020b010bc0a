// GetModuleFileNameA: the program's own path in Windows form. keltro is one
// module, so every module handle names the executable.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/path_lookup.h"

namespace {

// The executable's POSIX path, read once: it cannot change while the program
// runs.
const std::string* ExecutablePath(int* err) {
  std::string& path = Layer.executablePath;
  int& readErrno = Layer.executableReadErrno;
  if (readErrno < 0) {
    char target[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", target, sizeof target);
    if (length == (ssize_t)sizeof target) {  // cut: it would name another folder
      length = -1;
      errno = ENAMETOOLONG;
    }
    readErrno = length < 0 ? errno : 0;
    if (length >= 0) path.assign(target, (size_t)length);
  }
  *err = readErrno;
  return readErrno ? nullptr : &path;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  int err;
  const std::string* target = ExecutablePath(&err);
  if (!target) {
    SetLastErrorFromErrno(err);
    return 0;
  }
  std::string& path = Layer.moduleFileName;
  if (!Layer.moduleFileNameKnown) {
    path = WindowsFormOf(*target);
    Layer.moduleFileNameKnown = true;
  }
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
