// Share directories read through libsmbclient's readdirplus, which gives
// each entry's DOS attributes, its four times and its size from the listing
// itself. (readdirplus2 gives the same and a stat record, for which it
// resolves every entry's path again: it doubles the time of a listing.)
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/name_match.h"
#include "platform/posix/share_files.h"
#include "platform/posix/share_read_ahead.h"
#include "platform/posix/smb_context.h"

namespace {

FILETIME TimeOf(const struct timespec& t) { return ToFileTime(FileTimeFromPosix(t.tv_sec, (unsigned)t.tv_nsec)); }

// The values the server reports; a word without a bit reads as NORMAL, and
// directories report size 0, as on Windows.
EntryInfo InfoOf(const struct libsmb_file_info& file) {
  EntryInfo info;
  info.attributes = file.attrs ? file.attrs : FILE_ATTRIBUTE_NORMAL;
  bool hasBirthTime = file.btime_ts.tv_sec != 0 || file.btime_ts.tv_nsec != 0;
  info.creationTime = TimeOf(hasBirthTime ? file.btime_ts : file.ctime_ts);
  info.lastAccessTime = TimeOf(file.atime_ts);
  info.lastWriteTime = TimeOf(file.mtime_ts);
  info.size = (file.attrs & FILE_ATTRIBUTE_DIRECTORY) ? 0 : file.size;
  return info;
}

bool IsDotName(const std::string& name) { return name == "." || name == ".."; }

bool TakesEveryName(const std::string& pattern) { return pattern == "*" || pattern == "*.*"; }

// NTFS order: by name with case folded away, then byte for byte; "." and
// ".." before every name.
struct SortKey {
  std::string folded;
  size_t index;
};

void SortAsNtfs(std::vector<ShareEntry>& entries) {
  std::vector<SortKey> keys(entries.size());
  for (size_t i = 0; i < entries.size(); i++) {
    const std::string& name = entries[i].name;
    keys[i].index = i;
    if (name == ".") {
      keys[i].folded = "\x01";
    } else if (name == "..") {
      keys[i].folded = "\x02";
    } else {
      AppendFoldedName(&keys[i].folded, name.c_str());
    }
  }
  std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
    int order = a.folded.compare(b.folded);
    return order != 0 ? order < 0 : entries[a.index].name < entries[b.index].name;
  });
  std::vector<ShareEntry> sorted;
  sorted.reserve(entries.size());
  for (const SortKey& key : keys) sorted.push_back(std::move(entries[key.index]));
  entries.swap(sorted);
}

// The parent of a full path ("\\srv\pub\a\b" gives "\\srv\pub\a\") and its last name.
void SplitParent(const std::string& full, std::string& parent, std::string& name) {
  std::string path = full;
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  size_t slash = path.rfind('\\');
  parent = path.substr(0, slash + 1);
  name = path.substr(slash + 1);
}

// True when full is the root of its share: "\\srv\pub" or "\\srv\pub\".
bool IsShareRoot(const std::string& full) {
  size_t server = full.find('\\', 2);
  size_t share = server == std::string::npos ? server : full.find('\\', server + 1);
  return share == std::string::npos || share + 1 == full.size();
}

// Why `full` could not be reached: at a share's root a missing entry is a
// share the server lacks (67), below it a missing directory (3) when
// `missing` says so.
DWORD ReachError(const std::string& full, int err, DWORD missing) {
  if (err != ENOENT && err != ENOTDIR) return SmbError(err);
  return IsShareRoot(full) ? ERROR_BAD_NET_NAME : missing;
}

// The directories of the walk's path on a share, outermost first, each with
// the subdirectories its last listing gave. Entering one of those, or going
// back to a directory on the path, needs no question to the server: a walk
// enters every directory it lists from the listing of its parent.
std::vector<ShareWalkLevel>& WalkPath = Layer.shareWalkPath;

bool IsAtOrBelow(const std::string& path, const std::string& dir) {
  return path.compare(0, dir.size(), dir) == 0 && (path.size() == dir.size() || path[dir.size()] == '\\');
}

void NoteListing(const std::string& directory, const std::vector<ShareEntry>& entries) {
  std::string path = WithoutSeparator(directory);
  while (!WalkPath.empty() && (!IsAtOrBelow(path, WalkPath.back().path) || WalkPath.back().path == path))
    WalkPath.pop_back();
  ShareWalkLevel listed{path, {}};
  for (const ShareEntry& entry : entries) {
    if ((entry.info.attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDotName(entry.name))
      listed.subdirectories.push_back(entry.name);
  }
  WalkPath.push_back(std::move(listed));
}

bool IsListedDirectory(const std::string& full) {
  std::string path = WithoutSeparator(full);
  for (const ShareWalkLevel& dir : WalkPath) {
    if (dir.path == path) return true;
    if (!IsAtOrBelow(path, dir.path) || path.find('\\', dir.path.size() + 1) != std::string::npos) continue;
    std::string name = path.substr(dir.path.size() + 1);
    return std::find(dir.subdirectories.begin(), dir.subdirectories.end(), name) != dir.subdirectories.end();
  }
  return false;
}

}  // namespace

ShareListingResult ReadShareListing(SMBCCTX* context, const std::string& url, const std::string& pattern,
                                    std::vector<ShareEntry>& entries) {
  SMBCFILE* dir = Smb.getFunctionOpendir(context)(context, url.c_str());
  if (!dir) return {errno, false};
  smbc_readdirplus_fn next = Smb.getFunctionReaddirPlus(context);
  bool everyName = TakesEveryName(pattern);
  errno = 0;
  while (const struct libsmb_file_info* file = next(context, dir)) {
    std::string name = AnsiNameOf(file->name);
    if (everyName || MatchWildcardIgnoringCase(pattern.c_str(), name.c_str()))
      entries.push_back(ShareEntry{name, InfoOf(*file)});
    errno = 0;
  }
  int readErr = errno;
  Smb.getFunctionClosedir(context)(context, dir);
  if (readErr) return {readErr, true};
  SortAsNtfs(entries);
  return {};
}

DWORD ListShareDirectory(const std::string& directory, const std::string& pattern, std::vector<ShareEntry>& entries) {
  std::string url;
  DWORD err = ShareUrl(directory, url);
  if (err) return err;
  ShareListingResult listing;
  bool everyName = TakesEveryName(pattern);
  if (!everyName || !TakeListingReadAhead(directory, entries, listing)) {
    SMBCCTX* context = SmbContext(err);
    if (!context) return err;
    listing = ReadShareListing(context, url, pattern, entries);
    if (everyName && !listing.err) ReadAheadBelow(directory, entries);
  }
  if (!listing.opened) return ReachError(directory, listing.err, ERROR_PATH_NOT_FOUND);
  if (listing.err) return SmbError(listing.err);
  NoteListing(directory, entries);
  return ERROR_SUCCESS;
}

void ForgetShareDirectory(const std::string& full) {
  std::string path = WithoutSeparator(full);
  for (ShareWalkLevel& dir : WalkPath) {
    if (!IsAtOrBelow(path, dir.path) || dir.path == path) continue;
    std::vector<std::string>& names = dir.subdirectories;
    names.erase(std::remove(names.begin(), names.end(), path.substr(dir.path.size() + 1)), names.end());
  }
  while (!WalkPath.empty() && IsAtOrBelow(WalkPath.back().path, path)) WalkPath.pop_back();
}

DWORD FindShareEntry(const std::string& full, ShareEntry& entry) {
  std::string parent, name;
  std::vector<ShareEntry> found;
  if (IsShareRoot(full)) {  // the root is named by "." of its own listing
    DWORD err = ListShareDirectory(full.back() == '\\' ? full : full + '\\', ".", found);
    if (err) return err;
    if (found.empty()) return ERROR_FILE_NOT_FOUND;
    entry = found.front();
    SplitParent(full, parent, entry.name);
    return ERROR_SUCCESS;
  }
  SplitParent(full, parent, name);
  if (name.find_first_of("*?") != std::string::npos) return ERROR_INVALID_NAME;
  DWORD err = ListShareDirectory(parent, name, found);
  if (err) return err;
  if (found.empty()) return ERROR_FILE_NOT_FOUND;
  entry = found.front();
  return ERROR_SUCCESS;
}

// A directory the walk has just listed, else one stat (not a listing of the parent).
DWORD CheckShareDirectory(const std::string& full) {
  if (IsListedDirectory(full)) return ERROR_SUCCESS;
  std::string url;
  DWORD err = ShareUrl(full, url);
  if (err) return err;
  SMBCCTX* context = SmbContext(err);
  if (!context) return err;
  struct stat st;
  if (Smb.getFunctionStat(context)(context, url.c_str(), &st) != 0)
    return ReachError(full, errno, ERROR_FILE_NOT_FOUND);
  return S_ISDIR(st.st_mode) ? ERROR_SUCCESS : ERROR_DIRECTORY;
}
