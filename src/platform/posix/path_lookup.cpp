// Windows paths onto POSIX entries: drive roots from the drive map, then the
// names; a name that is missing is looked for again ignoring case.
#include "platform/posix/path_lookup.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/drive_map.h"
#include "platform/posix/held_parents.h"
#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/listed_entry.h"
#include "platform/posix/name_cache.h"
#include "platform/posix/name_encoding.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/win_path.h"

namespace {

// A name that needs no folding and is its own POSIX name: no separator,
// wildcard, stream colon, stand-in, trailing period or blank, and not "."
// or "..".
bool IsPlainName(const char* name, size_t length) {
  static constexpr auto kNotPlain = [] {
    std::array<bool, 256> notPlain{};
    for (unsigned char c : {'\\', '/', '*', '?', ':', '\xEF'}) notPlain[c] = true;
    return notPlain;
  }();
  if (length == 0 || name[length - 1] == '.' || name[length - 1] == ' ') return false;
  for (size_t i = 0; i < length; i++) {
    unsigned char c = (unsigned char)name[i];
    if (kNotPlain[c] && (c != 0xEF || name[i + 1] == '\x80')) return false;  // name[length] is the NUL
  }
  return true;
}

// The length of a NUL-ended plain name, or 0 when it is not plain: one scan
// for the characters that may make it so, most often finding none.
inline size_t PlainNameLength(const char* name) {
  size_t length = strcspn(name, "\\/*?:\xEF");
  if (name[length] == '\0') return length > 0 && name[length - 1] != '.' && name[length - 1] != ' ' ? length : 0;
  length += strlen(name + length);
  return IsPlainName(name, length) ? length : 0;
}

// Whether posix, whose last '/' is at slash, names an entry of dir, with no
// copy of either.
bool IsEntryOf(const std::string& posix, size_t slash, const std::string& dir) {
  if (slash == 0) return dir == "/" && posix.size() > 1;
  return slash == dir.size() && posix.compare(0, slash, dir) == 0;
}

// The POSIX root directory and the `\`-separated rest of a full Windows path.
DWORD SplitDriveRoot(const std::string& fullPath, std::string& root, std::string& rest) {
  bool noDrive = IsNoDrivePath(fullPath);
  std::string stripped;
  if (!noDrive && fullPath.compare(0, 4, "\\\\?\\") == 0 && fullPath.compare(4, 4, "UNC\\") != 0)
    stripped = fullPath.substr(4);
  const std::string& full = stripped.empty() ? fullPath : stripped;
  // Shares are no local paths: the calls that serve them do so before this
  // lookup (share_files.h); every other call refuses them.
  if (!noDrive && full.compare(0, 2, "\\\\") == 0) return ERROR_NOT_SUPPORTED;
  size_t rootLength = WindowsRootLength(full);
  if (noDrive) {
    root = "/";
  } else if (rootLength == 3 || rootLength == 2) {
    if (!IsDriveLetter(full[0])) return ERROR_INVALID_NAME;
    const DriveEntry* drive = FindDrive(full[0]);
    if (!drive) return ERROR_PATH_NOT_FOUND;
    root = drive->root;
  } else if (rootLength == 1) {
    root = "/";  // a path on no drive: the current directory lies outside every drive
  } else {
    return ERROR_INVALID_NAME;
  }
  rest = full.substr(rootLength);
  while (!rest.empty() && rest.back() == '\\') rest.pop_back();
  return HasWildcard(rest) ? ERROR_INVALID_NAME : ERROR_SUCCESS;
}

// Sets dirFd and name: relative to the kept current directory when the entry
// is that directory or one of its entries.
void ChooseDirectory(LocatedPath& located) {
  const std::string& current = CurrentPosixDirectory();
  size_t slash = located.posix.rfind('/');
  located.base.assign(located.posix, slash + 1);  // "" for "/"
  if (located.posix == current) {
    located.dirFd = CurrentDirectoryFd();
    located.name = ".";
  } else if (IsEntryOf(located.posix, slash, current)) {
    located.dirFd = CurrentDirectoryFd();
    located.name = located.base;
  } else {
    located.dirFd = AT_FDCWD;
    located.name = located.posix;
  }
}

int StatEntry(int dirFd, const std::string& name, struct statx& stx) {
  return Sys.stat(dirFd, name.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) == 0 ? 0 : errno;
}

std::vector<std::string> Components(const std::string& rest) {
  std::vector<std::string> parts;
  parts.reserve(std::count(rest.begin(), rest.end(), '\\') + 1);
  size_t start = 0;
  while (start < rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    parts.push_back(PosixName(std::string_view(rest).substr(start, end - start)));
    start = end + 1;
  }
  return parts;
}

// Walks the components from the drive root, replacing each missing one by a
// name that differs only in case. Sets located.posix and located.missing.
// Past a component that cannot be resolved, the rest is kept as given: the
// caller's own call then reports what is wrong.
void CorrectCase(const std::string& root, const std::vector<std::string>& parts, LocatedPath& located) {
  struct statx stx;
  if (!parts.empty()) {
    // Most often the directory is there as spelled and only the name differs.
    std::string parent = PosixParentOf(located.posix);
    if (parts.size() > 1 && StatEntry(AT_FDCWD, parent, stx) == 0 && S_ISDIR(stx.stx_mode)) {
      std::string found;
      if (FindCachedName(parent, stx, parts.back(), found)) {
        located.posix = JoinPosixPath(parent, found);
      } else {
        located.missing = ERROR_FILE_NOT_FOUND;
      }
      return;
    }
  }
  if (StatEntry(AT_FDCWD, root, stx) != 0) {
    located.missing = ERROR_NOT_READY;
    return;
  }
  std::string current = root;
  bool resolving = true;
  for (size_t i = 0; i < parts.size(); i++) {
    std::string name = parts[i];
    if (resolving) {
      int err = StatEntry(AT_FDCWD, JoinPosixPath(current, name), stx);
      std::string found;
      bool foundIgnoringCase = err == ENOENT && FindNameIgnoringCase(current, name, found);
      if (foundIgnoringCase) {
        name = found;
      } else if (err == ENOENT || err == ENOTDIR) {
        bool last = i + 1 == parts.size();
        located.missing = (last && err == ENOENT) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
      }
      resolving = err == 0 || foundIgnoringCase;
    }
    current = JoinPosixPath(current, name);
  }
  located.posix = current;
}

// A name missing from a directory whose kept names tell so, with no lookup
// of the name itself (most lookups in a walk's new target directory). The
// directory is the one the entry is named in: the held one when it is there.
// parentStx, when given, is the directory's state as just read.
bool KnownMissing(const std::string& parent, const std::string& name, const LocatedPath& located,
                  const struct statx* parentStx) {
  struct statx stx;
  if (!parentStx) {
    int err = located.dirFd != AT_FDCWD
                  ? (Sys.stat(located.dirFd, "", AT_EMPTY_PATH, kEntryStatxMask, &stx) == 0 ? 0 : errno)
                  : StatEntry(AT_FDCWD, parent, stx);
    if (err) return false;
    parentStx = &stx;
  }
  return S_ISDIR(parentStx->stx_mode) && KnownAbsent(parent, *parentStx, name);
}

void UseDirectory(LocatedPath& located, std::shared_ptr<HeldDirectory> dir) {
  located.dirFd = dir->fd;
  located.name = located.base;
  located.held = std::move(dir);
}

// Names an entry outside the current directory relative to its held parent
// (stx: the parent's state). False when a held directory on its way was
// found replaced by a link: the entry is then missing, its parent not
// followed. An entry whose parent cannot be held stays named by its path.
bool UseHeldParent(const std::string& root, const std::string& parent, LocatedPath& located, struct statx& stx,
                   bool& held) {
  held = false;
  if (located.dirFd != AT_FDCWD || located.isDriveRoot) return true;
  bool refused;
  std::shared_ptr<HeldDirectory> dir = HoldParentDirectory(root, parent, stx, refused);
  if (!dir) return !refused;
  UseDirectory(located, std::move(dir));
  held = true;
  return true;
}

DWORD Refused(LocatedPath& located) {
  located.missing = ERROR_PATH_NOT_FOUND;
  located.statErrno = ENOENT;
  return ERROR_SUCCESS;
}

}  // namespace

std::string PosixParentOf(const std::string& posix) { return std::string(PosixParentView(posix)); }

std::string_view PosixParentView(std::string_view posix, std::string_view base) {
  size_t size = posix.size();
  bool afterSlash = !base.empty() && size > base.size() && posix[size - base.size() - 1] == '/';
  size_t slash = afterSlash ? size - base.size() - 1 : posix.rfind('/');
  return slash == 0 ? std::string_view("/") : posix.substr(0, slash);
}

std::string JoinPosixPath(const std::string& dir, const std::string& name) {
  std::string joined;
  joined.reserve(dir.size() + 1 + name.size());  // one allocation
  if (dir != "/") joined = dir;
  joined += '/';
  joined += name;
  return joined;
}

std::string WindowsFormOf(const std::string& posixPath) {
  const DriveEntry* drive = DriveOfPosixPath(posixPath);
  if (!drive) return kNoDrivePrefix + ShownPath(posixPath.substr(1));
  std::string rest = drive->root == "/" ? posixPath.substr(1) : posixPath.substr(drive->root.size());
  if (!rest.empty() && rest[0] == '/') rest = rest.substr(1);
  return std::string(1, drive->letter) + ":\\" + ShownPath(rest);
}

bool FindNameIgnoringCase(const std::string& dirPosix, const std::string& name, std::string& found) {
  struct statx stx;
  if (Sys.stat(AT_FDCWD, dirPosix.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0) return false;
  return FindCachedName(dirPosix, stx, name, found);
}

namespace {

// Whether a full path is a plain name after the directory placed last (most
// paths a walk changes lie in the target directory of the path before).
// The text ends in a NUL at path.size(), as a C string or std::string does.
bool IsInLastDirectory(std::string_view path) {
  const auto& last = Layer.lastPlaced;
  size_t dirLength = last.windows.size();
  return last.page == CurrentCodePages().Ansi && path.size() > dirLength &&
         path.compare(0, dirLength, last.windows) == 0 &&
         PlainNameLength(path.data() + dirLength) == path.size() - dirLength;
}

// Places such a path, with root set to its drive's root.
void PlaceInLastDirectory(const std::string& fullPath, LocatedPath& located, std::string& root) {
  const auto& last = Layer.lastPlaced;
  size_t dirLength = last.windows.size();
  root = last.root;
  located.posix.reserve(last.posix.size() + 1 + fullPath.size() - dirLength);
  located.posix = last.posix;
  if (last.posix != "/") located.posix += '/';
  located.posix.append(fullPath, dirLength);
  located.isDriveRoot = false;
}

// Keeps the directory of a path on a drive whose last name is plain, for
// PlaceInLastDirectory.
void NoteLastDirectory(const std::string& fullPath, const LocatedPath& located, const std::string& root) {
  auto& last = Layer.lastPlaced;
  size_t separator = fullPath.rfind('\\');
  bool onDrive = fullPath.size() > 3 && IsDriveLetter(fullPath[0]) && fullPath.compare(1, 2, ":\\") == 0;
  if (!onDrive || located.isDriveRoot || !IsPlainName(fullPath.c_str() + separator + 1, fullPath.size() - separator - 1)) {
    last.page = 0;
    return;
  }
  last.windows.assign(fullPath, 0, separator + 1);
  last.posix.assign(located.posix, 0, located.posix.size() - (fullPath.size() - separator));
  if (last.posix.empty()) last.posix = "/";
  last.root = root;
  last.page = CurrentCodePages().Ansi;
}

// Sets rest to the `\`-separated names below the drive root.
DWORD SplitFullPath(const std::string& fullPath, LocatedPath& located, std::string& root, std::string& rest) {
  DWORD err = SplitDriveRoot(fullPath, root, rest);
  if (err) return err;
  located.posix.reserve(root.size() + rest.size() + 1);
  located.posix = root;
  if (!rest.empty() && root != "/") located.posix += '/';
  if (CurrentCodePages().Ansi != CP_UTF8 || rest.find("\xEF\x80") == std::string::npos) {
    size_t start = located.posix.size();  // each name is its own POSIX name
    located.posix += rest;
    std::replace(located.posix.begin() + start, located.posix.end(), '\\', '/');
  } else {
    std::vector<std::string> parts = Components(rest);
    for (size_t i = 0; i < parts.size(); i++) {
      if (i) located.posix += '/';
      located.posix += parts[i];
    }
  }
  located.isDriveRoot = rest.empty();
  NoteLastDirectory(fullPath, located, root);
  return ERROR_SUCCESS;
}

// Sets posix, dirFd, name, base and isDriveRoot, and root to the drive's root.
// inLastDirectory: IsInLastDirectory(fullPath).
DWORD PlaceFullPath(const std::string& fullPath, LocatedPath& located, std::string& root, bool inLastDirectory) {
  if (inLastDirectory) {
    PlaceInLastDirectory(fullPath, located, root);
  } else {
    std::string rest;
    if (DWORD err = SplitFullPath(fullPath, located, root, rest)) return err;
  }
  located.missing = ERROR_SUCCESS;
  ChooseDirectory(located);
  return ERROR_SUCCESS;
}

// LocateFullPath, told whether the path lies in the directory placed last.
DWORD LocateFull(const std::string& fullPath, LocatedPath& located, LookupFor purpose, bool inLastDirectory) {
  // Kept from lookup to lookup, as their room serves the next one: nothing
  // below looks a path up again.
  static std::string root, parent;
  if (DWORD err = PlaceFullPath(fullPath, located, root, inLastDirectory)) return err;
  // A change, or a lookup that reads the directory's state anyway, names the
  // entry in its held parent.
  bool changing = purpose == LookupFor::Changing;
  parent.assign(PosixParentView(located.posix, located.base));
  bool namesKept = parent != root && !located.isDriveRoot && located.name != "." && KeepsFineNames(parent);
  struct statx parentStx;
  bool parentHeld = false;
  if ((changing || namesKept) && !UseHeldParent(root, parent, located, parentStx, parentHeld)) return Refused(located);
  if (namesKept && KnownMissing(parent, located.base, located, parentHeld ? &parentStx : nullptr)) {
    located.missing = ERROR_FILE_NOT_FOUND;
    located.statErrno = ENOENT;
    return ERROR_SUCCESS;
  }
  located.statErrno = StatEntry(located.dirFd, located.name, located.stx);
  if (located.statErrno == ENOENT || located.statErrno == ENOTDIR) {
    std::shared_ptr<HeldDirectory> heldBefore = std::move(located.held);
    std::string rest;
    SplitDriveRoot(fullPath, root, rest);  // as PlaceFullPath found it
    CorrectCase(root, Components(rest), located);
    ChooseDirectory(located);
    std::string corrected = PosixParentOf(located.posix);
    if (heldBefore && located.dirFd == AT_FDCWD && corrected == parent) {
      UseDirectory(located, std::move(heldBefore));
    } else if ((located.missing == ERROR_FILE_NOT_FOUND || (changing && !located.missing)) &&
               !UseHeldParent(root, corrected, located, parentStx, parentHeld)) {
      return Refused(located);
    }
    located.statErrno = located.missing ? ENOENT : StatEntry(located.dirFd, located.name, located.stx);
  }
  return ERROR_SUCCESS;
}

}  // namespace

DWORD LocateFullPath(const std::string& fullPath, LocatedPath& located, LookupFor purpose) {
  return LocateFull(fullPath, located, purpose, IsInLastDirectory(fullPath));
}

namespace {

// The name after `path`'s directory when that directory is the current one,
// spelled as the layer keeps it, and the name is plain (IsPlainName); length
// is set to its length. Null otherwise.
const char* PlainNameInCurrentDirectory(LPCSTR path, size_t& length) {
  const std::string& current = CurrentWindowsDirectory();
  if (current.empty() || current.compare(0, kNoDrivePrefixLength, kNoDrivePrefix) == 0) return nullptr;
  if (strncmp(path, current.c_str(), current.size()) != 0) return nullptr;
  const char* name = path + current.size();
  if (current.back() != '\\' && *name++ != '\\') return nullptr;
  length = PlainNameLength(name);
  return length ? name : nullptr;
}

// Sets text to the bytes given; with no more room taken when it has enough.
void SetText(std::string& text, const char* bytes, size_t length) {
  text.clear();
  text.append(bytes, length);
}

// The plain name of the current directory as PlaceFullPath places it.
void PlaceInCurrentDirectory(const char* name, size_t length, LocatedPath& located) {
  const std::string& dir = CurrentPosixDirectory();
  located.posix.clear();
  located.posix.reserve(dir.size() + 1 + length);
  located.posix.append(dir);
  if (dir != "/") located.posix += '/';
  located.posix.append(name, length);
  located.dirFd = CurrentDirectoryFd();
  SetText(located.name, name, length);
  SetText(located.base, name, length);
  located.isDriveRoot = false;
  located.missing = ERROR_SUCCESS;
}

// The entry of the current directory that its listing has just stat'ed,
// placed without folding the path again.
bool LocateJustListed(LPCSTR path, LocatedPath& located) {
  size_t length;
  const char* name = TakeJustListed(path, located.stx, length);
  if (!name) return false;
  PlaceInCurrentDirectory(name, length, located);
  located.statErrno = 0;
  return true;
}

}  // namespace

const char* TakeJustListed(LPCSTR path, struct statx& stx, size_t& length) {
  const char* name = PlainNameInCurrentDirectory(path, length);
  return name && TakeListedEntry(CurrentDirectoryFd(), name, stx) ? name : nullptr;
}

DWORD LocatePath(LPCSTR path, LocatedPath& located, LookupFor purpose) {
  if (path && purpose == LookupFor::Changing && LocateJustListed(path, located)) return ERROR_SUCCESS;
  static std::string full;  // as in LocateFullPath
  if (!path) return ERROR_INVALID_NAME;
  bool inLastDirectory = IsInLastDirectory(path);
  if (inLastDirectory) {
    full.assign(path);  // a plain name after a full directory path is full
  } else if (!FullPathOf(path, full)) {
    return ERROR_INVALID_NAME;
  }
  return LocateFull(full, located, purpose, inLastDirectory);
}

DWORD PlacePath(LPCSTR path, LocatedPath& located) {
  size_t length;
  if (const char* name = path ? PlainNameInCurrentDirectory(path, length) : nullptr) {
    PlaceInCurrentDirectory(name, length, located);  // a walk's source: no folding
    return ERROR_SUCCESS;
  }
  std::string full, root;
  if (!path || !FullPathOf(path, full)) return ERROR_INVALID_NAME;
  return PlaceFullPath(full, located, root, IsInLastDirectory(full));
}

DWORD LocateExisting(LPCSTR path, LocatedPath& located, LookupFor purpose) {
  DWORD err = LocatePath(path, located, purpose);
  if (err) return err;
  if (located.missing) return located.missing;
  return located.statErrno ? Win32ErrorFromErrno(located.statErrno) : ERROR_SUCCESS;
}
