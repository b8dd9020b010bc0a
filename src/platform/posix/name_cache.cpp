// The names of one directory by their case-folded form, kept while the
// directory's identity and modification time stay the same: names looked for
// again in other spellings cost no second read of the directory.
//
// Directory times are stamped from the kernel's coarse clock, so a change in
// the tick in which the names were known may not show in the time: such
// names are read again (git's rule for racy index entries). Since Linux 6.13
// ext4, XFS, Btrfs and tmpfs stamp the first change after the time was read
// with a finer time, distinct from the one read: once a directory's time
// later than the coarse clock has shown such a file system, names known after
// a read of the time stay valid on it while the time stays the same.
//
// The layer's own changes of a name (a file created, copied into place or
// deleted, a directory made or removed) update the names in place and take
// the directory's new time, so that each costs no read of the directory. They
// do so only when the names were found valid less than 10 ms before the
// change; another program's change to the same directory made in between is
// not seen by the names until the directory changes again.
#include "platform/posix/name_cache.h"

#include <sys/sysmacros.h>
#include <time.h>

#include <cerrno>
#include <map>
#include <vector>

#include "platform/posix/dir_reader.h"
#include "platform/posix/name_match.h"
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
  std::map<std::vector<uint32_t>, Spellings> byFolded;
};

FoldedNames Cache;

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

// The file system last seen stamping directories with finer times.
bool FineStampsSeen = false;
uint64_t FineStampDevice = 0;

// True when no later change can leave the directory's time as it is: the
// time is older than the coarse clock when the names were known, or its
// file system stamps changes after a read of the time distinctly (and the
// time is not one set by hand into the future).
bool Settled(const FoldedNames& cache) {
  long long after = TimeAfter(cache.mtime, cache.knownAt);
  return after < 0 || (FineStampsSeen && cache.dev == FineStampDevice && after < kFineClockLead);
}

bool SameDirectory(const FoldedNames& cache, const struct statx& stx) {
  return cache.ino == stx.stx_ino && cache.dev == makedev(stx.stx_dev_major, stx.stx_dev_minor);
}

bool Trusted(const FoldedNames& cache, const std::string& dir, const struct statx& stx) {
  if (cache.dir != dir || !SameDirectory(cache, stx) || cache.mtime.tv_sec != stx.stx_mtime.tv_sec ||
      cache.mtime.tv_nsec != stx.stx_mtime.tv_nsec)
    return false;
  return Settled(cache);
}

void KeepVersion(const struct statx& stx, const struct timespec& now) {
  Cache.ino = stx.stx_ino;
  Cache.dev = makedev(stx.stx_dev_major, stx.stx_dev_minor);
  Cache.mtime = stx.stx_mtime;
  Cache.knownAt = Cache.confirmedAt = now;
  long long after = TimeAfter(stx.stx_mtime, now);
  if (after > 0 && after < kFineClockLead) {  // finer than the coarse clock
    FineStampsSeen = true;
    FineStampDevice = Cache.dev;
  }
}

// Returns 0, or the errno of a failed read (the names read before it are kept).
int ReadNames(const std::string& dirPosix, int fd, const struct statx& stx, const struct timespec& now) {
  Cache = FoldedNames{};
  Cache.dir = dirPosix;
  KeepVersion(stx, now);
  return ForEachDirectoryName(fd, [&](const char* name) {
    Spellings& spellings = Cache.byFolded[FoldedCodePoints(name)];
    if (spellings.count++ == 0) spellings.first = name;
  });
}

void Forget() { Cache = FoldedNames{}; }

// The directory the entry is named in, as it is after the change.
int StatParent(const LocatedPath& entry, const std::string& dir, struct statx& stx) {
  bool inHeld = entry.dirFd != AT_FDCWD && entry.name != ".";
  return inHeld ? Sys.stat(entry.dirFd, "", AT_EMPTY_PATH, kEntryStatxMask, &stx)
                : Sys.stat(AT_FDCWD, dir.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx);
}

// False when the names can no longer be told without a read.
bool Apply(NameChange change, const std::string& name) {
  if (change == NameChange::Replaced) return true;
  auto it = Cache.byFolded.find(FoldedCodePoints(name.c_str()));
  if (change == NameChange::Removed) {
    if (it == Cache.byFolded.end() || it->second.count != 1 || it->second.first != name) return false;
    Cache.byFolded.erase(it);
    return true;
  }
  if (it != Cache.byFolded.end()) return false;  // a second spelling: which one a read gives first is unknown
  Cache.byFolded[FoldedCodePoints(name.c_str())] = Spellings{name, 1};
  return true;
}

// A directory the layer has just made holds no names.
void KeepNewDirectory(const LocatedPath& entry) {
  struct statx stx;
  struct timespec now = CoarseNow();
  Forget();
  if (Sys.stat(entry.dirFd, entry.name.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0 ||
      !S_ISDIR(stx.stx_mode))
    return;
  Cache.dir = entry.posix;
  KeepVersion(stx, now);
}

}  // namespace

bool FindCachedName(const std::string& dirPosix, const struct statx& stx, const std::string& name,
                    std::string& found) {
  struct timespec now = CoarseNow();
  bool incomplete = false;
  if (!Trusted(Cache, dirPosix, stx)) {
    int fd = Sys.open(AT_FDCWD, dirPosix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) {
      Forget();
      return false;
    }
    incomplete = ReadNames(dirPosix, fd, stx, now) != 0;
    Sys.close(fd);
  }
  Cache.confirmedAt = now;
  auto it = Cache.byFolded.find(FoldedCodePoints(name.c_str()));
  bool isThere = it != Cache.byFolded.end();
  if (isThere) found = it->second.first;
  if (incomplete) Forget();  // the names read answer this lookup only
  return isThere;
}

// The names are updated only when they were found valid shortly before the
// change (as the lookup of the entry itself does when it was missing).
void NoteNameChange(const LocatedPath& entry, NameChange change) {
  constexpr long long kChangeWindow = 10000000LL;  // 10 ms
  if (change == NameChange::DirectoryAdded) return KeepNewDirectory(entry);
  if (Cache.dir.empty()) return;
  std::string dir = PosixParentOf(entry.posix);
  if (Cache.dir != dir) {
    if (Cache.dir == entry.posix) Forget();  // the kept directory itself was removed or replaced
    return;
  }
  struct timespec now = CoarseNow();
  struct statx stx;
  if (entry.base.empty() || Nanoseconds(now) - Nanoseconds(Cache.confirmedAt) > kChangeWindow || StatParent(entry, dir, stx) != 0 ||
      !SameDirectory(Cache, stx) || !Apply(change, entry.base))
    return Forget();
  KeepVersion(stx, now);
}
