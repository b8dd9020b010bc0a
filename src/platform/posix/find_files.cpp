// Directory listings: FindFirstFileA, FindNextFileA, FindClose. A last
// component with `*` or `?` lists its directory (`.` and `..` first, except
// at a drive root, then the entries sorted by name as NTFS gives them, so a
// listing reads the same on every file system); one without is the exact
// lookup of that entry. A listing of the current directory reads the
// descriptor the layer holds for it (getdents64), never its path. Paths on
// a share are listed through libsmbclient (share_find.cpp).
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/dir_reader.h"
#include "platform/posix/file_info.h"
#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/listed_entry.h"
#include "platform/posix/name_encoding.h"
#include "platform/posix/name_match.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/win_path.h"

namespace {

// A name of the listing as it is and as shown, both in the listing's text.
struct ListedName {
  const char* name;
  std::string_view shown;
};

struct FindHandle : LayerHandle {
  std::shared_ptr<HeldDirectory> dir;  // null for an exact lookup, whose one entry is already given
  std::string dirPosix;   // the listed directory, for the entries' extended attributes
  bool dirIsCurrent;      // the current directory: attributes are read by the bare name
  std::string pattern;
  int dotsToCome;         // 2: "." and ".." still to come; 1: ".."; 0: none
  bool hasOwnInfo = false;  // ownInfo holds the directory's own values, given for . and ..
  EntryInfo ownInfo{};
  std::string nameText{};          // each matching name folded, NUL, as it is, NUL, as shown, NUL (if it differs)
  std::vector<ListedName> names{};  // into nameText, sorted
  size_t nextName = 0;
  DWORD readError = 0;    // a failure of the directory read, given after the names read before it
  bool namesOnly = false;  // ListNamesOnly was on when the listing started
  bool takesAll = false;   // the pattern matches every name ("*.*", "*")
};

bool NamesOnly = false;  // ListNamesOnly

// NTFS order: by name with case folded away (as names are compared), then
// byte for byte (UTF-8 byte order is code point order). Each name is stored
// behind its folded form, so the sort compares plain strings, and before the
// form it is shown in where that differs.
const char* NameAfterFolded(const char* folded) { return folded + strlen(folded) + 1; }

bool ComesBefore(const char* foldedA, const char* foldedB) {
  int order = strcmp(foldedA, foldedB);
  return order != 0 ? order < 0 : strcmp(NameAfterFolded(foldedA), NameAfterFolded(foldedB)) < 0;
}

// A stored name to sort: the first eight bytes of its folded form, zero
// behind its end, as a number that orders as they do, so most comparisons
// never reach the texts. A name has at most 255 bytes, its folded form at
// most twice as many, its shown form at most three times as many.
struct SortKey {
  uint64_t head;
  uint32_t start;  // of the folded form in nameText
  uint16_t foldedLength;
  uint16_t nameLength;
  uint16_t shownLength;  // 0: the name is shown as it is
};

uint64_t HeadOf(const char* folded, size_t length) {
  uint64_t head = 0;
  if (length >= 8) {
    memcpy(&head, folded, 8);
    return std::endian::native == std::endian::little ? __builtin_bswap64(head) : head;
  }
  for (size_t i = 0; i < length; ++i) head |= (uint64_t)(unsigned char)folded[i] << (56 - 8 * i);
  return head;
}

// Keeps a name of the directory when it matches the pattern: folded, as it
// is, and as shown when that differs.
void TakeName(FindHandle* find, std::vector<SortKey>& keys, std::string& shownText, const char* name) {
  std::string& text = find->nameText;
  size_t start = text.size();
  size_t length = strlen(name);
  const char* shown = name;
  if (!AppendFoldedIfPlain(&text, name, length)) {
    shown = ShownName(name, shownText);  // matched and sorted as the core sees it
    if (!find->takesAll && !MatchWildcardIgnoringCase(find->pattern.c_str(), shown)) return;
    AppendFoldedName(&text, shown);
  } else if (!find->takesAll && !MatchWildcardIgnoringCase(find->pattern.c_str(), shown)) {
    text.resize(start);
    return;
  }
  size_t foldedLength = text.size() - start - 1;
  size_t shownLength = shown == name ? 0 : strlen(shown);
  keys.push_back({HeadOf(text.data() + start, foldedLength), (uint32_t)start, (uint16_t)foldedLength,
                  (uint16_t)length, (uint16_t)shownLength});
  text.append(name, length + 1);
  if (shownLength) text.append(shown, shownLength + 1);
}

void ReadNames(FindHandle* find) {
  std::vector<SortKey> keys;
  std::string shownText;
  keys.reserve(128);
  find->nameText.reserve(8192);
  find->takesAll = find->pattern == "*.*" || find->pattern == "*";
  int err = ForEachDirectoryName(find->dir->fd, [&](const char* name) { TakeName(find, keys, shownText, name); });
  if (err) find->readError = Win32ErrorFromErrno(err);
  const char* text = find->nameText.data();
  std::sort(keys.begin(), keys.end(), [text](const SortKey& a, const SortKey& b) {
    return a.head != b.head ? a.head < b.head : ComesBefore(text + a.start, text + b.start);
  });
  find->names.reserve(keys.size());
  for (const SortKey& key : keys) {
    const char* name = text + key.start + key.foldedLength + 1;
    std::string_view shown(name, key.nameLength);
    if (key.shownLength) shown = std::string_view(name + key.nameLength + 1, key.shownLength);
    find->names.push_back({name, shown});
  }
}

bool CloseFind(LayerHandle* handle) {
  delete static_cast<FindHandle*>(handle);
  return true;
}

// `shown` is the name as the core sees it.
void FillFindData(const EntryInfo& info, std::string_view shown, WIN32_FIND_DATAA* data) {
  data->dwFileAttributes = info.attributes;
  data->ftCreationTime = info.creationTime;
  data->ftLastAccessTime = info.lastAccessTime;
  data->ftLastWriteTime = info.lastWriteTime;
  data->nFileSizeHigh = (DWORD)(info.size >> 32);
  data->nFileSizeLow = (DWORD)info.size;
  data->dwReserved0 = data->dwReserved1 = 0;
  CopyTruncated(data->cFileName, shown);
  data->cAlternateFileName[0] = '\0';
}

DWORD GiveNameOnly(const char* name, WIN32_FIND_DATAA* data) {
  FillFindData(EntryInfo{}, name, data);
  return ERROR_SUCCESS;
}

// The path the entry's extended attributes are read by: relative to the
// current directory when the listing is of it (the walker's case), which
// spares the kernel the walk down the whole path for every entry. `.` and
// `..` are the listed directory itself. None when nothing is read by it.
std::string EntryPath(const FindHandle* find, const char* name) {
  if (!StoredAttributesRead()) return std::string();  // nothing is read through it
  bool isDirectory = strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
  if (isDirectory) return find->dirIsCurrent ? "." : find->dirPosix;
  return find->dirIsCurrent ? std::string(name) : JoinPosixPath(find->dirPosix, name);
}

// Gives the listing's next matching entry: 0, 18 at the end, or the Win32
// code of a failure (an entry that vanished since it was read is left out).
// `.` and `..` carry the values of the listed directory itself, read once
// through its descriptor, as NTFS gives them (neither name is hidden).
DWORD NextEntry(FindHandle* find, WIN32_FIND_DATAA* data) {
  int dirFd = find->dir->fd;
  struct statx stx;
  while (find->dotsToCome > 0) {
    const char* name = find->dotsToCome-- == 2 ? "." : "..";
    if (!MatchWildcardIgnoringCase(find->pattern.c_str(), name)) continue;
    if (find->namesOnly) return GiveNameOnly(name, data);
    if (!find->hasOwnInfo) {
      if (Sys.stat(dirFd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0)
        return Win32ErrorFromErrno(errno);
      find->ownInfo = EntryInfoOf(stx, name, EntryPath(find, name));
      find->hasOwnInfo = true;
    }
    FillFindData(find->ownInfo, name, data);  // . and .. are shown as they are
    return ERROR_SUCCESS;
  }
  while (find->nextName < find->names.size()) {
    const ListedName& listed = find->names[find->nextName++];
    const char* name = listed.name;
    if (find->namesOnly) return GiveNameOnly(name, data);
    if (Sys.stat(dirFd, name, AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0) {
      if (errno == ENOENT) continue;
      return Win32ErrorFromErrno(errno);
    }
    if (find->dirIsCurrent) NoteListedEntry(dirFd, name, stx);
    FillFindData(EntryInfoOf(stx, name, EntryPath(find, name)), listed.shown, data);
    return ERROR_SUCCESS;
  }
  return find->readError ? find->readError : ERROR_NO_MORE_FILES;
}

HANDLE Fail(DWORD err) {
  SetLastError(err);
  return INVALID_HANDLE_VALUE;
}

HANDLE FindExact(const std::string& full, WIN32_FIND_DATAA* data) {
  LocatedPath located;
  DWORD err = LocateFullPath(full, located);
  if (err) return Fail(err);
  if (located.missing) return Fail(located.missing);
  if (located.statErrno) return Fail(Win32ErrorFromErrno(located.statErrno));
  std::string shown;
  FillFindData(EntryInfoOf(located.stx, located.base.c_str(), located.posix), ShownName(located.base.c_str(), shown),
               data);
  FindHandle* find = new FindHandle{{CloseFind}, nullptr, "", false, "", 0};
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(find);
}

DWORD OpenFailure(int err) {
  return err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(err);
}

// The held descriptor of the current directory, ready to be read from its
// start; a directory held by O_PATH is opened for reading through it.
std::shared_ptr<HeldDirectory> CurrentListing() {
  std::shared_ptr<HeldDirectory> held = CurrentDirectoryHeld();
  if (!held->readable) return OpenHeldDirectory(held->fd, ".", 0, false);
  if (!held->atStart && Sys.seek(held->fd, 0, SEEK_SET) != 0) return nullptr;
  held->atStart = false;
  return held;
}

// True when `directory` (ending in `\`) is the current directory.
bool IsCurrentDirectory(const std::string& directory) {
  const std::string& current = CurrentWindowsDirectory();
  if (current.empty()) return false;
  size_t length = current.back() == '\\' ? current.size() : current.size() + 1;
  return directory.size() == length && directory.compare(0, current.size(), current) == 0;
}

HANDLE FindInDirectory(const std::string& directory, const std::string& pattern, WIN32_FIND_DATAA* data) {
  bool isCurrent = IsCurrentDirectory(directory);
  std::shared_ptr<HeldDirectory> dir;
  std::string posix;
  bool isDriveRoot;
  if (isCurrent) {
    dir = CurrentListing();
    if (!dir) return Fail(OpenFailure(errno));
    posix = CurrentPosixDirectory();
    isDriveRoot = WindowsRootLength(directory) == directory.size();
  } else {
    LocatedPath located;
    DWORD err = LocateFullPath(directory, located);
    if (err) return Fail(err);
    if (located.missing) return Fail(located.missing == ERROR_NOT_READY ? ERROR_NOT_READY : ERROR_PATH_NOT_FOUND);
    dir = OpenHeldDirectory(located.dirFd, located.name.c_str(), 0, false);
    if (!dir) return Fail(OpenFailure(errno));
    posix = located.posix;
    isDriveRoot = located.isDriveRoot;
  }
  FindHandle* find = new FindHandle{{CloseFind}, dir, posix, isCurrent, pattern, isDriveRoot ? 0 : 2};
  find->namesOnly = NamesOnly;
  ReadNames(find);
  DWORD err = NextEntry(find, data);
  if (err) {
    CloseFind(find);
    return Fail(err == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : err);
  }
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(find);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  std::string full;
  if (!lpFileName || !FullPathOf(lpFileName, full)) return Fail(ERROR_PATH_NOT_FOUND);
  size_t root = WindowsRootLength(full);
  size_t slash = full.rfind('\\');
  if (full.size() <= root || slash == std::string::npos || slash + 1 == full.size())
    return Fail(ERROR_FILE_NOT_FOUND);  // a directory named with its separator, or a root
  std::string directory = full.substr(0, slash + 1);
  std::string pattern = full.substr(slash + 1);
  if (HasWildcard(directory.substr(root))) return Fail(ERROR_INVALID_NAME);
  if (IsSharePath(full)) {
    if (HasWildcard(directory)) return Fail(ERROR_INVALID_NAME);  // in the server or share name
    return FindFirstShareFile(full, directory, pattern, lpFindFileData);
  }
  if (!HasWildcard(pattern)) return FindExact(full, lpFindFileData);
  return FindInDirectory(directory, pattern, lpFindFileData);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  FindHandle* find = static_cast<FindHandle*>(LookupHandle(hFindFile, CloseFind));
  if (!find) {
    if (IsShareFind(hFindFile)) return FindNextShareFile(hFindFile, lpFindFileData);
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD err = find->dir ? NextEntry(find, lpFindFileData) : ERROR_NO_MORE_FILES;
  SetLastError(err);
  return err == ERROR_SUCCESS;
}

BOOL FindClose(HANDLE hFindFile) {
  if (IsShareFind(hFindFile)) return CloseShareFind(hFindFile);
  return CloseLayerHandle(hFindFile, CloseFind);
}

bool ListNamesOnly(bool namesOnly) {
  bool before = NamesOnly;
  NamesOnly = namesOnly;
  return before;
}
