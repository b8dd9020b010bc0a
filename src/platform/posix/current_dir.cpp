// The current directory: GetCurrentDirectoryA, SetCurrentDirectoryA and
// GetFullPathNameA. The layer holds the current directory open, and below it
// the directories a walk came down through: entering a subdirectory opens it
// relative to the one held (never through a link), and going back to a held
// directory returns to its descriptor, so no step of a walk resolves a path
// from the root again. SetCurrentDirectoryA also changes the process's own
// directory (fchdir), which names relative to it rely on. A directory on a
// share is kept by its path only.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/dir_reader.h"
#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/listed_entry.h"
#include "platform/posix/name_encoding.h"
#include "platform/posix/name_match.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/win_path.h"

namespace {

// The state lives in Layer (layer_state.h).
bool& Known = Layer.currentDirKnown;
DWORD& UnknownError = Layer.currentDirUnknownError;  // why the process's directory has no path the layer can hold
std::vector<HeldLevel>& Held = Layer.heldDirs;        // back() is the current directory
const std::string NoPath;

// The process's directory, read once. A directory whose path getcwd cannot
// give (longer than 4096 bytes, or removed) is never replaced by a guess:
// the current directory is then unknown and every path relative to it fails.
void LoadCurrentDirectory() {
  if (Known) return;
  Known = true;
  Held.clear();
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) {
    UnknownError = Win32ErrorFromErrno(errno == ERANGE ? ENAMETOOLONG : errno);  // ERANGE: past PATH_MAX
    return;
  }
  UnknownError = ERROR_SUCCESS;
  std::shared_ptr<HeldDirectory> dir = OpenHeldDirectory(AT_FDCWD, ".", 0, true);
  if (!dir) dir = std::make_shared<HeldDirectory>();  // AT_FDCWD: the process's directory is the same one
  Held.push_back(HeldLevel{dir, WindowsFormOf(buffer), buffer});
}

// "C:\data\" is kept as "C:\data"; a root (of `root` characters) keeps its
// separator.
std::string_view WithoutTrailingSeparator(std::string_view full, size_t root) {
  while (full.size() > root && full.back() == '\\') full.remove_suffix(1);
  return full;
}

// Text result of the Get... calls: the length, or the size needed with the NUL.
DWORD CopyResult(const std::string& text, DWORD capacity, LPSTR buffer) {
  if (!buffer || text.size() + 1 > capacity) return (DWORD)(text.size() + 1);
  CopyTruncated(buffer, capacity, text);
  return (DWORD)text.size();
}

DWORD EnterError(int err) { return err == ENOTDIR || err == ELOOP ? ERROR_DIRECTORY : Win32ErrorFromErrno(err); }

// Makes `level` the process's directory, then the layer's.
DWORD Enter(HeldLevel level, bool keepAncestors) {
  if (Sys.chdir(level.dir->fd) != 0) return Win32ErrorFromErrno(errno);
  if (!keepAncestors) Held.clear();
  Held.push_back(std::move(level));
  return ERROR_SUCCESS;
}

// Back to the held directory at `index`; the levels above it are let go.
DWORD ReturnTo(size_t index) {
  if (index + 1 < Held.size() && Sys.chdir(Held[index].dir->fd) != 0) return Win32ErrorFromErrno(errno);
  Held.resize(index + 1);
  return ERROR_SUCCESS;
}

// The name of the held directory that equals `name` ignoring case, read
// through its descriptor.
bool FindHeldNameIgnoringCase(const HeldDirectory& dir, const std::string& name, std::string& found) {
  int fd = Sys.open(dir.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  std::vector<uint32_t> wanted = FoldedCodePoints(name.c_str());
  bool matched = false;
  ForEachDirectoryName(fd, [&](const char* entry) {
    if (!matched && FoldedCodePoints(entry) == wanted) {
      found = entry;
      matched = true;
    }
  });
  Sys.close(fd);
  return matched;
}

// A subdirectory of the current directory, opened through the held
// descriptor without following a link put in its place.
DWORD EnterSubdirectory(std::string_view name, std::string_view windows) {
  const HeldLevel& current = Held.back();
  std::string onDisk = PosixName(name);
  std::shared_ptr<HeldDirectory> dir = OpenHeldDirectory(current.dir->fd, onDisk.c_str(), O_NOFOLLOW, true);
  int err = dir ? 0 : errno;
  if (err == ENOENT && FindHeldNameIgnoringCase(*current.dir, std::string(onDisk), onDisk)) {
    dir = OpenHeldDirectory(current.dir->fd, onDisk.c_str(), O_NOFOLLOW, true);
    err = dir ? 0 : errno;
  }
  if (!dir) return err == ENOENT ? ERROR_FILE_NOT_FOUND : EnterError(err);
  return Enter(HeldLevel{dir, std::string(windows), JoinPosixPath(current.posix, onDisk)}, true);
}

// Any other directory: located from its drive's root. The entry named last
// follows a link only when it is not an entry of the current directory
// (a root given on the command line), as Windows follows a junction.
DWORD EnterByPath(const std::string& full, const std::string& windows) {
  LocatedPath located;
  DWORD err = LocateFullPath(full, located);
  if (err) return err;
  if (located.missing) return located.missing;
  int follow = !located.held && located.name != "." && located.name[0] != '/' ? O_NOFOLLOW : 0;
  std::shared_ptr<HeldDirectory> dir = OpenHeldDirectory(located.dirFd, located.name.c_str(), follow, true);
  if (!dir) return EnterError(errno);
  return Enter(HeldLevel{dir, windows, located.posix}, false);
}

// A directory on a share: kept by its path alone (no descriptor, and the
// process's own directory stays where it is); relative names resolve
// against it as text.
DWORD EnterShareDirectory(const std::string& full, const std::string& windows) {
  DWORD err = CheckShareDirectory(full);
  if (err) return err;
  auto onShare = std::make_shared<HeldDirectory>();
  onShare->fd = -1;
  Held.clear();
  Held.push_back(HeldLevel{onShare, windows, std::string()});
  return ERROR_SUCCESS;
}

// "C:\a\b" -> "C:\a" and "b"; false for a root (of `root` characters).
bool SplitLastName(std::string_view windows, size_t root, std::string_view& parent, std::string_view& name) {
  size_t slash = windows.rfind('\\');
  if (windows.size() <= root || slash == std::string_view::npos || slash + 1 < root) return false;
  parent = WithoutTrailingSeparator(windows.substr(0, slash + 1), root);
  name = windows.substr(slash + 1);
  return true;
}

}  // namespace

HeldDirectory::~HeldDirectory() {
  if (fd >= 0) Sys.close(fd);
}

std::shared_ptr<HeldDirectory> OpenHeldDirectory(int dirFd, const char* name, int extraFlags, bool orEnterOnly) {
  int fd = Sys.open(dirFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags, 0);
  bool readable = fd >= 0;
  if (fd < 0 && errno == EACCES && orEnterOnly) {
    fd = Sys.open(dirFd, name, O_PATH | O_DIRECTORY | O_CLOEXEC | extraFlags, 0);
  }
  if (fd < 0) return nullptr;
  auto dir = std::make_shared<HeldDirectory>();
  dir->fd = fd;
  dir->readable = readable;
  return dir;
}

const std::string& CurrentWindowsDirectory() {
  LoadCurrentDirectory();
  return Held.empty() ? NoPath : Held.back().windows;
}

const std::string& CurrentPosixDirectory() {
  LoadCurrentDirectory();
  return Held.empty() ? NoPath : Held.back().posix;
}

int CurrentDirectoryFd() {
  LoadCurrentDirectory();
  return Held.empty() ? AT_FDCWD : Held.back().dir->fd;
}

std::shared_ptr<HeldDirectory> CurrentDirectoryHeld() {
  LoadCurrentDirectory();
  return Held.empty() ? nullptr : Held.back().dir;
}

char CurrentDriveLetter() {
  const std::string& dir = CurrentWindowsDirectory();
  return dir.size() >= 2 && dir[1] == ':' ? dir[0] : 0;
}

void ForgetCurrentDirectory() {
  Held.clear();
  Known = false;
}

bool FullPathOf(LPCSTR path, std::string& full) {
  LoadCurrentDirectory();
  // Without a current directory only a path that names its drive or share can be folded.
  if (Held.empty() && (!path || WindowsRootLength(WithBackslashes(path)) < 2)) return false;
  return FullWindowsPath(path, CurrentWindowsDirectory(), full);
}

DWORD ChangeCurrentDirectory(LPCSTR path) {
  ForgetListedEntry();
  std::string full;
  if (!path || !FullPathOf(path, full)) return Held.empty() && UnknownError ? UnknownError : ERROR_INVALID_NAME;
  size_t root = WindowsRootLength(full);
  std::string_view windows = WithoutTrailingSeparator(full, root);  // views into full
  if (IsSharePath(full)) return EnterShareDirectory(full, std::string(windows));
  for (size_t i = Held.size(); i-- > 0;) {
    if (Held[i].windows == windows) return ReturnTo(i);
  }
  std::string_view parent, name;
  if (!Held.empty() && SplitLastName(windows, root, parent, name) && parent == Held.back().windows &&
      name != "." && name != ".." && name.find_first_of("*?") == std::string_view::npos) {
    return EnterSubdirectory(name, windows);
  }
  return EnterByPath(full, std::string(windows));
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  const std::string& current = CurrentWindowsDirectory();
  if (Held.empty()) {
    SetLastError(UnknownError);
    return 0;
  }
  return CopyResult(current, nBufferLength, lpBuffer);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
  DWORD err = ChangeCurrentDirectory(lpPathName);
  SetLastError(err);
  return err == ERROR_SUCCESS;
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
  std::string full;
  if (!lpFileName || !FullPathOf(lpFileName, full)) {
    SetLastError(Held.empty() && UnknownError ? UnknownError : ERROR_INVALID_NAME);
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
