// The names of a few directories by their case-folded form (those a walk
// writes into and returns to), each kept while the directory's identity and
// modification time stay the same: names looked for again in other spellings
// cost no second read of the directory.
//
// Directory times are stamped from the kernel's coarse clock, so a change in
// the tick in which the names were known may not show in the time: such
// names are read again (git's rule for racy index entries). Since Linux 6.13
// ext4, XFS, Btrfs and tmpfs stamp the first change after the time was read
// with a finer time, distinct from the one read: once a directory's time
// later than the coarse clock has shown that one of these does so, names
// known after a read of the time stay valid on it while the time stays the
// same.
//
// On such a file system, names kept and valid also tell that a name is
// missing, with no lookup of the name itself: a copy into a new directory
// looks each target up by the directory's state alone.
//
// The layer's own changes of a name (a file created, copied into place or
// deleted, a directory made or removed) update the names in place and take
// the directory's new time, so that each costs no read of the directory. They
// do so only when the names were found valid less than 10 ms before the
// change; another program's change to the same directory made in between is
// not seen by the names until the directory changes again.
// The directory's time is read right after the change, not at the next
// lookup: the next lookup could not tell a change made by another program
// meanwhile from the layer's own, and on the finely stamping file systems it
// is the read of the time that makes the next change take a distinct one (one
// made while the time is unread may keep it).
#include "platform/posix/name_cache.h"

#include <linux/magic.h>
#include <sys/sysmacros.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

#include "platform/posix/dir_reader.h"
#include "platform/posix/name_match.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/syscalls.h"

namespace {

struct Spellings {
  std::string first;   // the first spelling read (or the one the layer made)
  unsigned count = 0;  // how many spellings of the folded name the directory holds
};

struct FoldedNames {
  std::string dir;  // "" when nothing is kept
  uint64_t ino = 0, dev = 0;
  struct statx_timestamp mtime = {};
  struct timespec knownAt = {0, 0};      // coarse clock just before the names were known to be the directory's
  struct timespec confirmedAt = {0, 0};  // coarse clock when they were last found valid
  unsigned long long lastUse = 0;
  std::unordered_map<std::string, Spellings> byFolded;  // by FoldedKey
};

// A walk's target directory, and those above it that it returns to.
constexpr size_t kKeptDirectories = 4;
std::array<FoldedNames, kKeptDirectories> Kept;
unsigned long long Uses = 0;

// The folded form of the name looked up or changed last: a walk looks a
// target up twice and then notes its change.
const std::string& FoldedName(const std::string& name) {
  static std::string lastName;
  static UINT lastPage = 0;
  static std::string lastFolded;
  UINT page = CurrentCodePages().Ansi;
  if (name != lastName || page != lastPage || lastPage == 0) {
    FoldedKey(name.c_str(), lastFolded);
    lastName = name;
    lastPage = page;
  }
  return lastFolded;
}

FoldedNames* KeptFor(std::string_view dir) {
  static FoldedNames* found = &Kept[0];  // most lookups ask for the directory found last
  if (!found->dir.empty() && found->dir == dir) return found;
  for (FoldedNames& names : Kept) {
    if (!names.dir.empty() && names.dir == dir) {
      found = &names;
      return found;
    }
  }
  return nullptr;
}

FoldedNames& LeastRecentlyUsed() {
  return *std::min_element(Kept.begin(), Kept.end(),
                           [](const FoldedNames& a, const FoldedNames& b) { return a.lastUse < b.lastUse; });
}

struct timespec CoarseNow() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return now;
}

long long Nanoseconds(long long seconds, long nanoseconds) { return seconds * 1000000000LL + nanoseconds; }

long long Nanoseconds(const struct timespec& time) { return Nanoseconds(time.tv_sec, time.tv_nsec); }

// How much later than the clock the time is (negative when earlier).
long long TimeAfter(const struct statx_timestamp& time, const struct timespec& clock) {
  return Nanoseconds(time.tv_sec, time.tv_nsec) - Nanoseconds(clock);
}

// How far the fine clock may run ahead of the coarse one (a tick or two); a
// time further ahead was set by hand.
constexpr long long kFineClockLead = 1000000000LL;

// The file system last seen stamping a directory with a time finer than
// the coarse clock, and whether it is one that does so after every read of
// the time (a server's clock running ahead shows such times too).
struct {
  uint64_t dev = 0;
  bool seen = false;
  bool fine = false;
} FineStamps;

bool StampsFinely(const std::string& dir) {
  struct statfs fs;
  if (Sys.statfs(dir.c_str(), &fs) != 0) return false;
  switch (fs.f_type) {
    case EXT4_SUPER_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
      return true;
    default:
      return false;
  }
}

// True when no later change can leave the directory's time as it is: the
// time is older than the coarse clock when the names were known, or its
// file system stamps changes after a read of the time distinctly (and the
// time is not one set by hand into the future).
bool Settled(const FoldedNames& names) {
  long long after = TimeAfter(names.mtime, names.knownAt);
  return after < 0 || (FineStamps.fine && names.dev == FineStamps.dev && after < kFineClockLead);
}

bool SameDirectory(const FoldedNames& names, const struct statx& stx) {
  return names.ino == stx.stx_ino && names.dev == makedev(stx.stx_dev_major, stx.stx_dev_minor);
}

// The directory's file system stamps changes after a read of the time finely.
bool OnFineStamps(const FoldedNames& names) { return FineStamps.fine && names.dev == FineStamps.dev; }

bool Trusted(const FoldedNames& names, const struct statx& stx) {
  return SameDirectory(names, stx) && names.mtime.tv_sec == stx.stx_mtime.tv_sec &&
         names.mtime.tv_nsec == stx.stx_mtime.tv_nsec && Settled(names);
}

void KeepVersion(FoldedNames& names, const struct statx& stx, const struct timespec& now) {
  names.ino = stx.stx_ino;
  names.dev = makedev(stx.stx_dev_major, stx.stx_dev_minor);
  names.mtime = stx.stx_mtime;
  names.knownAt = names.confirmedAt = now;
  names.lastUse = ++Uses;
  long long after = TimeAfter(stx.stx_mtime, now);
  bool finer = after > 0 && after < kFineClockLead;  // than the coarse clock
  if (finer && !(FineStamps.seen && FineStamps.dev == names.dev)) {
    FineStamps.dev = names.dev;
    FineStamps.seen = true;
    FineStamps.fine = StampsFinely(names.dir);
  }
}

// Returns 0, or the errno of a failed read (the names read before it are kept).
int ReadNames(FoldedNames& names, const std::string& dirPosix, int fd, const struct statx& stx,
              const struct timespec& now) {
  names = FoldedNames{};
  names.dir = dirPosix;
  KeepVersion(names, stx, now);
  std::string key;
  return ForEachDirectoryName(fd, [&](const char* name) {
    FoldedKey(name, key);
    Spellings& spellings = names.byFolded[key];
    if (spellings.count++ == 0) spellings.first = name;
  });
}

// The directory the entry is named in, as it is after the change.
int StatParent(const LocatedPath& entry, const std::string& dir, struct statx& stx) {
  bool inHeld = entry.dirFd != AT_FDCWD && entry.name != ".";
  return inHeld ? Sys.stat(entry.dirFd, "", AT_EMPTY_PATH, kEntryStatxMask, &stx)
                : Sys.stat(AT_FDCWD, dir.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx);
}

// False when the names can no longer be told without a read.
bool Apply(FoldedNames& names, NameChange change, const std::string& name) {
  if (change == NameChange::Replaced) return true;
  const std::string& folded = FoldedName(name);
  if (change == NameChange::Removed) {
    auto it = names.byFolded.find(folded);
    if (it == names.byFolded.end() || it->second.count != 1 || it->second.first != name) return false;
    names.byFolded.erase(it);
    return true;
  }
  // A second spelling fails: which one a read gives first is unknown.
  return names.byFolded.try_emplace(folded, Spellings{name, 1}).second;
}

// The names are updated only when they were found valid shortly before the
// change (as the lookup of the entry itself does when it was missing).
// names: those kept for the entry's directory.
void UpdateParent(const LocatedPath& entry, NameChange change, FoldedNames* names) {
  constexpr long long kChangeWindow = 10000000LL;  // 10 ms
  struct timespec now = CoarseNow();
  struct statx stx;
  if (entry.base.empty() || Nanoseconds(now) - Nanoseconds(names->confirmedAt) > kChangeWindow ||
      StatParent(entry, names->dir, stx) != 0 || !SameDirectory(*names, stx) || !Apply(*names, change, entry.base)) {
    *names = FoldedNames{};
    return;
  }
  KeepVersion(*names, stx, now);
}

// A directory the layer has just made holds no names.
void KeepNewDirectory(const LocatedPath& entry) {
  struct statx stx;
  struct timespec now = CoarseNow();
  if (Sys.stat(entry.dirFd, entry.name.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0 ||
      !S_ISDIR(stx.stx_mode))
    return;
  FoldedNames& names = LeastRecentlyUsed();
  names = FoldedNames{};
  names.dir = entry.posix;
  KeepVersion(names, stx, now);
}

}  // namespace

bool FindCachedName(const std::string& dirPosix, const struct statx& stx, const std::string& name,
                    std::string& found) {
  struct timespec now = CoarseNow();
  FoldedNames* names = KeptFor(dirPosix);
  bool incomplete = false;
  if (!names || !Trusted(*names, stx)) {
    if (!names) names = &LeastRecentlyUsed();
    *names = FoldedNames{};
    int fd = Sys.open(AT_FDCWD, dirPosix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    incomplete = ReadNames(*names, dirPosix, fd, stx, now) != 0;
    Sys.close(fd);
  }
  names->confirmedAt = now;
  names->lastUse = ++Uses;
  auto it = names->byFolded.find(FoldedName(name));
  bool isThere = it != names->byFolded.end();
  if (isThere) found = it->second.first;
  if (incomplete) *names = FoldedNames{};  // the names read answer this lookup only
  return isThere;
}

bool KeepsFineNames(const std::string& dirPosix) {
  FoldedNames* names = KeptFor(dirPosix);
  return names && OnFineStamps(*names);
}

bool KnownAbsent(const std::string& dirPosix, const struct statx& stx, const std::string& name) {
  FoldedNames* names = KeptFor(dirPosix);
  if (!names || !OnFineStamps(*names) || !Trusted(*names, stx)) return false;
  names->confirmedAt = CoarseNow();
  names->lastUse = ++Uses;
  return names->byFolded.count(FoldedName(name)) == 0;
}

bool KeepsNamesOf(std::string_view dirPosix) { return KeptFor(dirPosix) != nullptr; }

void NoteNameChange(const LocatedPath& entry, NameChange change) {
  // One pass over the kept names finds both the entry's own (a kept
  // directory removed or replaced: let go of) and its directory's.
  std::string_view path = entry.posix;
  std::string_view parent = PosixParentView(path, entry.base);
  FoldedNames* parentNames = nullptr;
  for (FoldedNames& names : Kept) {
    size_t size = names.dir.size();
    if (size == path.size() && names.dir == path) names = FoldedNames{};
    else if (size == parent.size() && size && names.dir == parent) parentNames = &names;
  }
  if (parentNames) UpdateParent(entry, change == NameChange::DirectoryAdded ? NameChange::Added : change, parentNames);
  if (change == NameChange::DirectoryAdded) KeepNewDirectory(entry);
}
