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
#include <utility>
#include <vector>

#include "platform/layer_hints.h"
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

// A stored name: where its folded form begins in nameText, the lengths of
// that form, of the name and of its shown form (0: shown as it is), and
// whether the directory read says it is a directory. A name has at most 255
// bytes, its folded form at most twice as many, its shown form at most three
// times as many.
struct ListedName {
  uint32_t start;
  uint16_t foldedLength;
  uint16_t nameLength;
  uint16_t shownLength;
  bool isDirectory;
};

// A name's place in the sort: the head of its folded form (a number that
// orders as the form does) in the high bits, and its place in the read order
// in the low bits, as few as the listing's count needs. When every folded
// name is ASCII, the head packs the first eight bytes at seven bits each;
// otherwise it is the first eight bytes. The sort compares the keys; names
// whose heads are the same are ordered by their texts afterwards.
using SortKey = uint64_t;

struct FindHandle : LayerHandle {
  std::shared_ptr<HeldDirectory> dir;  // null for an exact lookup, whose one entry is already given
  std::string dirPosix;   // the listed directory, for the entries' extended attributes
  bool dirIsCurrent;      // the current directory: attributes are read by the bare name
  std::string pattern;
  int dotsToCome;         // 2: "." and ".." still to come; 1: ".."; 0: none
  bool hasOwnInfo = false;  // ownInfo holds the directory's own values, given for . and ..
  EntryInfo ownInfo{};
  std::string nameText{};          // each matching name folded, NUL, as it is, NUL, as shown, NUL (if it differs)
  size_t textUsed = 0;              // bytes of nameText in use; its size only grows, as room
  std::vector<ListedName> names{};  // into nameText, in read order
  std::vector<SortKey> order{};     // of names, sorted
  int indexBits = 0;                // the low bits of a SortKey that hold its name's index
  bool allAscii = true;             // every folded name is ASCII
  size_t nextName = 0;              // in order
  DWORD readError = 0;    // a failure of the directory read, given after the names read before it
  bool namesOnly = false;  // ListNamesOnly was on when the listing started
  bool withTimes = true;   // ListTimes was on
  bool dotValues = true;   // ListDotValues was on
  bool directoriesByType = false;  // ListDirectoriesByType was on
  bool takesAll = false;   // the pattern matches every name ("*.*", "*")
  bool notesEntries = false;  // of the current directory while KeepListedEntries is on
  std::string entryPath{};    // room for the path an entry's extended attributes are read by
};

bool NamesOnly = false;  // ListNamesOnly
bool WithTimes = true;   // ListTimes
bool DotValues = true;   // ListDotValues
bool DirectoriesByType = false;  // ListDirectoriesByType

// NTFS order: by name with case folded away (as names are compared), then
// byte for byte (UTF-8 byte order is code point order). Each name is stored
// behind its folded form, so the sort compares plain strings, and before the
// form it is shown in where that differs.
const char* NameAfterFolded(const char* folded) { return folded + strlen(folded) + 1; }

bool ComesBefore(const char* foldedA, const char* foldedB) {
  int order = strcmp(foldedA, foldedB);
  return order != 0 ? order < 0 : strcmp(NameAfterFolded(foldedA), NameAfterFolded(foldedB)) < 0;
}

// The first eight bytes of a folded name (zero behind its end) as a number
// that orders as they do.
uint64_t HeadOf(const char* folded, size_t length) {
  uint64_t head = 0;
  if (length >= 8) {
    memcpy(&head, folded, 8);
    return std::endian::native == std::endian::little ? __builtin_bswap64(head) : head;
  }
  for (size_t i = 0; i < length; ++i) head |= (uint64_t)(unsigned char)folded[i] << (56 - 8 * i);
  return head;
}

// The same eight bytes, each below 0x80, packed at seven bits each into the
// high 56 bits: the order is kept, and more bytes of a name reach the key.
uint64_t PackedAscii(uint64_t head) {
  head = (head & 0x7F007F007F007F00ULL) >> 1 | (head & 0x007F007F007F007FULL);
  head = (head & 0x3FFF00003FFF0000ULL) >> 2 | (head & 0x00003FFF00003FFFULL);
  head = (head & 0x0FFFFFFF00000000ULL) >> 4 | (head & 0x000000000FFFFFFFULL);
  return head << 8;
}

// Room for `bytes` more bytes behind the names kept.
char* TextRoom(FindHandle* find, size_t bytes) {
  std::string& text = find->nameText;
  if (text.size() < find->textUsed + bytes) text.resize(std::max(2 * text.size(), find->textUsed + bytes));
  return text.data() + find->textUsed;
}

// Copies a text of `length` bytes and its terminator in 16-byte steps: both
// ends have room up to the step that holds the terminator.
void CopyInSteps(char* to, const char* from, size_t length) {
  for (size_t at = 0; at <= length; at += 16) memcpy(to + at, from + at, 16);
}

// Keeps a plain name (shown as it is), folded and as it is.
void KeepPlainName(FindHandle* find, const char* name, const char (&folded)[kFoldedNameRoom], size_t length,
                   bool isDirectory) {
  char* at = TextRoom(find, 2 * kFoldedNameRoom);
  CopyInSteps(at, folded, length);
  CopyInSteps(at + length + 1, name, length);  // over the folded form's last step
  find->names.push_back({(uint32_t)find->textUsed, (uint16_t)length, (uint16_t)length, 0, isDirectory});
  find->textUsed += 2 * (length + 1);
}

// Keeps any other name: folded as shown, as it is, and as shown when that differs.
void KeepOtherName(FindHandle* find, const char* name, size_t length, const char* shown, std::string& foldedText,
                   bool isDirectory) {
  foldedText.clear();
  AppendFoldedName(&foldedText, shown);  // with its terminator
  size_t shownLength = shown == name ? 0 : strlen(shown);
  size_t bytes = foldedText.size() + length + 1 + (shownLength ? shownLength + 1 : 0);
  char* at = TextRoom(find, bytes);
  memcpy(at, foldedText.data(), foldedText.size());
  memcpy(at + foldedText.size(), name, length + 1);
  if (shownLength) memcpy(at + foldedText.size() + length + 1, shown, shownLength + 1);
  find->names.push_back({(uint32_t)find->textUsed, (uint16_t)(foldedText.size() - 1), (uint16_t)length,
                         (uint16_t)shownLength, isDirectory});
  find->textUsed += bytes;
  find->allAscii = false;
}

// Keeps a name of the directory when it matches the pattern.
void TakeName(FindHandle* find, std::string& shownText, std::string& foldedText, const char* name,
              unsigned char type) {
  char folded[kFoldedNameRoom];
  bool plain;
  size_t length = FoldListedName(name, folded, &plain);
  const char* shown = plain ? name : ShownName(name, shownText);  // matched and sorted as the core sees it
  if (!find->takesAll && !MatchWildcardIgnoringCase(find->pattern.c_str(), shown)) return;
  if (plain) {
    KeepPlainName(find, name, folded, length, type == DT_DIR);
  } else {
    KeepOtherName(find, name, length, shown, foldedText, type == DT_DIR);
  }
}

size_t IndexOfKey(const FindHandle* find, SortKey key) {
  return (size_t)(key & ((SortKey{1} << find->indexBits) - 1));
}

const char* FoldedOf(const FindHandle* find, SortKey key) {
  return find->nameText.data() + find->names[IndexOfKey(find, key)].start;
}

// One key per listed name, in read order.
void MakeSortKeys(FindHandle* find) {
  find->indexBits = std::max(1, (int)std::bit_width(find->names.size()));
  SortKey headMask = ~((SortKey{1} << find->indexBits) - 1);
  find->order.resize(find->names.size());
  for (size_t i = 0; i < find->names.size(); ++i) {
    const ListedName& listed = find->names[i];
    uint64_t head = HeadOf(find->nameText.data() + listed.start, listed.foldedLength);
    find->order[i] = ((find->allAscii ? PackedAscii(head) : head) & headMask) | i;
  }
}

// Sorts the keys. A directory of a few dozen names, the common case, is
// sorted by insertion: on random heads a quicksort's comparisons go either
// way alike and the processor mispredicts half of them, while an
// insertion's inner loop mispredicts about once per name. The least key is
// put first, so that the inner loop needs no test of the start.
void SortKeys(std::vector<SortKey>& order) {
  constexpr size_t kInsertionLimit = 64;
  if (order.size() > kInsertionLimit) {
    std::sort(order.begin(), order.end());
    return;
  }
  if (order.size() < 2) return;
  std::iter_swap(order.begin(), std::min_element(order.begin(), order.end()));
  SortKey* keys = order.data();
  for (SortKey* next = keys + 2; next < keys + order.size(); ++next) {
    SortKey key = *next;
    SortKey* place = next;
    for (; key < place[-1]; --place) place[0] = place[-1];
    *place = key;
  }
}

// Orders each run of names whose heads are the same (in read order so far)
// by their texts.
void OrderEqualHeads(FindHandle* find) {
  std::vector<SortKey>& order = find->order;
  auto byText = [find](SortKey a, SortKey b) { return ComesBefore(FoldedOf(find, a), FoldedOf(find, b)); };
  int bits = find->indexBits;
  for (size_t run = 0; run < order.size();) {
    size_t end = run + 1;
    while (end < order.size() && order[end] >> bits == order[run] >> bits) ++end;
    if (end - run > 1) std::sort(order.begin() + run, order.begin() + end, byText);
    run = end;
  }
}

// The buffers of closed listings, kept for the next ones: a walk holds one
// listing open at each level it has descended, so a few sets serve all of
// its listings without an allocation. A set grown past kKeptTextBytes (a
// directory of thousands of names) is let go.
struct ListingBuffers {
  std::string nameText;
  std::vector<ListedName> names;
  std::vector<SortKey> order;
};
constexpr size_t kSpareSets = 8;
constexpr size_t kKeptTextBytes = 64 * 1024;
std::vector<ListingBuffers> Spares;

void TakeSpareBuffers(FindHandle* find) {
  if (Spares.empty()) {
    find->names.reserve(128);
    find->order.reserve(128);
    find->nameText.resize(8192);
    return;
  }
  ListingBuffers& spare = Spares.back();
  find->nameText.swap(spare.nameText);
  find->names.swap(spare.names);
  find->order.swap(spare.order);
  Spares.pop_back();
}

void KeepSpareBuffers(FindHandle* find) {
  if (!find->dir || Spares.size() >= kSpareSets || find->nameText.capacity() > kKeptTextBytes) return;
  find->names.clear();
  find->order.clear();
  Spares.push_back({std::move(find->nameText), std::move(find->names), std::move(find->order)});
}

void ReadNames(FindHandle* find) {
  std::string shownText, foldedText;
  TakeSpareBuffers(find);
  find->takesAll = find->pattern == "*.*" || find->pattern == "*";
  auto take = [&](const char* name, unsigned char type) { TakeName(find, shownText, foldedText, name, type); };
  int err = ForEachDirectoryEntry(find->dir->fd, take);
  if (err) find->readError = Win32ErrorFromErrno(err);
  MakeSortKeys(find);
  SortKeys(find->order);
  OrderEqualHeads(find);
}

// A stored name as it is.
const char* NameOf(const FindHandle* find, const ListedName& key) {
  return find->nameText.data() + key.start + key.foldedLength + 1;
}

// The same name as the core sees it.
std::string_view ShownOf(const FindHandle* find, const ListedName& key) {
  const char* name = NameOf(find, key);
  if (key.shownLength) return std::string_view(name + key.nameLength + 1, key.shownLength);
  return std::string_view(name, key.nameLength);
}

bool CloseFind(LayerHandle* handle) {
  FindHandle* find = static_cast<FindHandle*>(handle);
  if (find->notesEntries) ForgetListedEntryIn(find->nameText.data(), find->nameText.data() + find->textUsed);
  KeepSpareBuffers(find);
  delete find;
  return true;
}

// Copies a name into cFileName, cut to fit and terminated. The length passes
// through an empty asm so that the compiler calls memcpy: knowing it below
// 260, GCC copies inline with `rep movsq`, whose start-up alone costs more
// than a library copy of a whole name (a tenth of a walk's user time).
template <size_t N>
void CopyName(char (&dest)[N], std::string_view name) {
  size_t length = std::min(name.size(), N - 1);
  asm("" : "+r"(length));
  memcpy(dest, name.data(), length);
  dest[length] = '\0';
}

// `shown` is the name as the core sees it. Inlined, so that a listing's
// values go straight into the find data.
[[gnu::always_inline]] inline void FillFindData(const EntryInfo& info, std::string_view shown, WIN32_FIND_DATAA* data) {
  data->dwFileAttributes = info.attributes;
  data->ftCreationTime = info.creationTime;
  data->ftLastAccessTime = info.lastAccessTime;
  data->ftLastWriteTime = info.lastWriteTime;
  data->nFileSizeHigh = (DWORD)(info.size >> 32);
  data->nFileSizeLow = (DWORD)info.size;
  data->dwReserved0 = data->dwReserved1 = 0;
  CopyName(data->cFileName, shown);
  data->cAlternateFileName[0] = '\0';
}

DWORD GiveNameOnly(const char* name, WIN32_FIND_DATAA* data) {
  FillFindData(EntryInfo{}, name, data);
  return ERROR_SUCCESS;
}

const std::string NoPath;

// What `.` and `..` without values, and directories read by type, carry.
const EntryInfo kDirectoryAlone{FILE_ATTRIBUTE_DIRECTORY, {}, {}, {}, 0};

// The path the entry's extended attributes are read by: relative to the
// current directory when the listing is of it (the walker's case), which
// spares the kernel the walk down the whole path for every entry. `.` and
// `..` are the listed directory itself. `path` holds it when it is built.
const std::string& BuildEntryPath(const FindHandle* find, const char* name, std::string& path) {
  bool isDirectory = strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
  if (isDirectory) return find->dirIsCurrent ? path.assign(".") : find->dirPosix;
  return find->dirIsCurrent ? path.assign(name) : path = JoinPosixPath(find->dirPosix, name);
}

// The same, or none when nothing is read through it.
const std::string& EntryPath(const FindHandle* find, const char* name, std::string& path) {
  return StoredAttributesRead() ? BuildEntryPath(find, name, path) : NoPath;
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
    if (!find->dotValues) {
      FillFindData(kDirectoryAlone, name, data);
      return ERROR_SUCCESS;
    }
    if (!find->hasOwnInfo) {
      if (Sys.stat(dirFd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0)
        return Win32ErrorFromErrno(errno);
      std::string path;
      find->ownInfo = EntryInfoOf(stx, name, EntryPath(find, name, path));
      find->hasOwnInfo = true;
    }
    FillFindData(find->ownInfo, name, data);  // . and .. are shown as they are
    return ERROR_SUCCESS;
  }
  while (find->nextName < find->order.size()) {
    const ListedName& listed = find->names[IndexOfKey(find, find->order[find->nextName++])];
    const char* name = NameOf(find, listed);
    if (find->namesOnly) return GiveNameOnly(name, data);
    if (find->directoriesByType && listed.isDirectory) {
      FillFindData(kDirectoryAlone, ShownOf(find, listed), data);
      return ERROR_SUCCESS;
    }
    struct statx* into = find->notesEntries ? ListedEntryBuffer() : &stx;
    if (Sys.stat(dirFd, name, AT_SYMLINK_NOFOLLOW, kEntryStatxMask, into) != 0) {
      if (errno == ENOENT) continue;
      return Win32ErrorFromErrno(errno);
    }
    if (find->notesEntries) NoteListedEntry(dirFd, name);
    const std::string& entryPath = EntryPath(find, name, find->entryPath);
    FillFindData(find->withTimes ? EntryInfoOf(*into, name, entryPath) : EntryInfoWithoutTimes(*into, name, entryPath),
                 ShownOf(find, listed), data);
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
  FindHandle* find =
      new FindHandle{{CloseFind}, std::move(dir), std::move(posix), isCurrent, pattern, isDriveRoot ? 0 : 2};
  find->namesOnly = NamesOnly;
  find->withTimes = WithTimes;
  find->dotValues = DotValues;
  find->notesEntries = isCurrent && ListedEntriesKept();
  find->directoriesByType = DirectoriesByType && !find->notesEntries;
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
  if (HasWildcard(std::string_view(directory).substr(root))) return Fail(ERROR_INVALID_NAME);
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

bool ListNamesOnly(bool namesOnly) { return std::exchange(NamesOnly, namesOnly); }

bool ListTimes(bool times) { return std::exchange(WithTimes, times); }

bool ListDotValues(bool values) { return std::exchange(DotValues, values); }

bool ListDirectoriesByType(bool byType) { return std::exchange(DirectoriesByType, byType); }
