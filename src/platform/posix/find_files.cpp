// Directory listings: FindFirstFileA, FindNextFileA, FindClose. A last
// component with `*` or `?` lists its directory (`.` and `..` first, except
// at a drive root, then the entries sorted by name as NTFS gives them, so a
// listing reads the same on every file system); one without is the exact
// lookup of that entry.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "params/bounded_text.h"
#include "platform/posix/file_info.h"
#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/name_encoding.h"
#include "platform/posix/name_match.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/win_path.h"

namespace {

struct FindHandle : LayerHandle {
  DIR* dir;               // nullptr for an exact lookup, whose one entry is already given
  std::string dirPosix;   // the listed directory, for the entries' extended attributes
  std::string pattern;
  int dotsToCome;         // 2: "." and ".." still to come; 1: ".."; 0: none
  std::string nameText;            // each matching name folded, NUL, as it is, NUL
  std::vector<const char*> names;  // into nameText, sorted
  size_t nextName = 0;
  DWORD readError = 0;    // a failure of the directory read, given after the names read before it
};

// NTFS order: by name with A-Z folded to upper case, then byte for byte
// (UTF-8 byte order is code point order). Each name is stored behind its
// folded form, so the sort compares plain strings.
const char* NameAfterFolded(const char* folded) { return folded + strlen(folded) + 1; }

bool ComesBefore(const char* foldedA, const char* foldedB) {
  int order = strcmp(foldedA, foldedB);
  return order != 0 ? order < 0 : strcmp(NameAfterFolded(foldedA), NameAfterFolded(foldedB)) < 0;
}

void AppendFolded(std::string* text, const char* name) {
  size_t start = text->size();
  text->append(name, strlen(name) + 1);
  for (size_t i = start; i + 1 < text->size(); ++i) {
    char& c = (*text)[i];
    if (c >= 'a' && c <= 'z') c = (char)(c - 32);
  }
}

void ReadNames(FindHandle* find) {
  std::vector<size_t> starts;
  std::string shownText;
  for (;;) {
    errno = 0;
    struct dirent* entry = Sys.readdir(find->dir);
    if (!entry) {
      if (errno) find->readError = Win32ErrorFromErrno(errno);
      break;
    }
    const char* name = entry->d_name;
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
    const char* shown = ShownName(name, shownText);  // matched and sorted as the core sees it
    if (!MatchWildcardIgnoringCase(find->pattern.c_str(), shown)) continue;
    starts.push_back(find->nameText.size());
    AppendFolded(&find->nameText, shown);
    find->nameText.append(name, strlen(name) + 1);
  }
  const char* text = find->nameText.data();
  find->names.reserve(starts.size());
  for (size_t start : starts) find->names.push_back(text + start);
  std::sort(find->names.begin(), find->names.end(), ComesBefore);
  for (const char*& name : find->names) name = NameAfterFolded(name);
}

bool CloseFind(LayerHandle* handle) {
  FindHandle* find = static_cast<FindHandle*>(handle);
  if (find->dir) Sys.closedir(find->dir);
  delete find;
  return true;
}

void FillFindData(const struct statx& stx, const char* name, const std::string& posix,
                  WIN32_FIND_DATAA* data) {
  EntryInfo info = EntryInfoOf(stx, name, posix);
  memset(data, 0, sizeof *data);
  data->dwFileAttributes = info.attributes;
  data->ftCreationTime = info.creationTime;
  data->ftLastAccessTime = info.lastAccessTime;
  data->ftLastWriteTime = info.lastWriteTime;
  data->nFileSizeHigh = (DWORD)(info.size >> 32);
  data->nFileSizeLow = (DWORD)info.size;
  std::string shown;
  CopyText(data->cFileName, ShownName(name, shown));
}

// The path the entry's extended attributes are read by: relative to the
// current directory when the listing is of it (the walker's case), which
// spares the kernel the walk down the whole path for every entry.
std::string EntryPath(const std::string& dir, const char* name) {
  bool isCurrent = dir == CurrentPosixDirectory();
  if (strcmp(name, ".") == 0) return isCurrent ? "." : dir;
  return isCurrent ? std::string(name) : JoinPosixPath(dir, name);
}

// Gives the listing's next matching entry: 0, 18 at the end, or the Win32
// code of a failure (an entry that vanished since it was read is left out).
DWORD NextEntry(FindHandle* find, WIN32_FIND_DATAA* data) {
  int dirFd = dirfd(find->dir);
  struct statx stx;
  while (find->dotsToCome > 0) {
    const char* name = find->dotsToCome-- == 2 ? "." : "..";
    if (!MatchWildcardIgnoringCase(find->pattern.c_str(), name)) continue;
    if (Sys.stat(dirFd, name, AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0) return Win32ErrorFromErrno(errno);
    FillFindData(stx, name, EntryPath(find->dirPosix, name), data);
    return ERROR_SUCCESS;
  }
  while (find->nextName < find->names.size()) {
    const char* name = find->names[find->nextName++];
    if (Sys.stat(dirFd, name, AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0) {
      if (errno == ENOENT) continue;
      return Win32ErrorFromErrno(errno);
    }
    FillFindData(stx, name, EntryPath(find->dirPosix, name), data);
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
  FillFindData(located.stx, located.base.c_str(), located.posix, data);
  FindHandle* find = new FindHandle{{CloseFind}, nullptr, "", "", 0};
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(find);
}

HANDLE FindInDirectory(const std::string& directory, const std::string& pattern, WIN32_FIND_DATAA* data) {
  LocatedPath located;
  DWORD err = LocateFullPath(directory, located);
  if (err) return Fail(err);
  if (located.missing) return Fail(located.missing == ERROR_NOT_READY ? ERROR_NOT_READY : ERROR_PATH_NOT_FOUND);
  DIR* dir = Sys.opendir(located.dirFd, located.name.c_str());
  if (!dir) return Fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
  FindHandle* find = new FindHandle{{CloseFind}, dir, located.posix, pattern, located.isDriveRoot ? 0 : 2};
  ReadNames(find);
  err = NextEntry(find, data);
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
  if (!HasWildcard(pattern)) return FindExact(full, lpFindFileData);
  return FindInDirectory(directory, pattern, lpFindFileData);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  FindHandle* find = static_cast<FindHandle*>(LookupHandle(hFindFile, CloseFind));
  if (!find) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD err = find->dir ? NextEntry(find, lpFindFileData) : ERROR_NO_MORE_FILES;
  SetLastError(err);
  return err == ERROR_SUCCESS;
}

BOOL FindClose(HANDLE hFindFile) { return CloseLayerHandle(hFindFile, CloseFind); }
