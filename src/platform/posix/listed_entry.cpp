#include "platform/posix/listed_entry.h"

#include <time.h>

#include <cstdint>
#include <cstring>

#include "platform/posix/layer_state.h"

namespace {

// Longer than a walk takes from listing an entry to acting on it, far
// shorter than a question put to the user in between.
constexpr uint64_t kFreshForNs = 20'000'000;

// The coarse clock (a few milliseconds' steps, against the 20 ms above)
// is read from memory; the precise one asks the time-stamp counter, which
// took a tenth of a deletion's time in user space when read twice a file.
uint64_t NowNs() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return (uint64_t)now.tv_sec * 1'000'000'000u + (uint64_t)now.tv_nsec;
}

bool Keeping = true;  // KeepListedEntries

}  // namespace

bool KeepListedEntries(bool keep) {
  bool before = Keeping;
  Keeping = keep;
  return before;
}

bool ListedEntriesKept() { return Keeping; }

struct statx* ListedEntryBuffer() {
  Layer.listed.dirFd = -1;
  return &Layer.listed.stx;
}

void NoteListedEntry(int dirFd, const char* name) {
  ListedEntry& listed = Layer.listed;
  listed.dirFd = dirFd;
  listed.name = name;
  listed.atNs = NowNs();
  listed.withoutXattrs = false;
}

void NoteListedWithoutXattrs(const char* path) {
  ListedEntry& listed = Layer.listed;
  if (listed.dirFd >= 0 && strcmp(listed.name, path) == 0) listed.withoutXattrs = true;
}

void ForgetListedEntryIn(const char* begin, const char* end) {
  ListedEntry& listed = Layer.listed;
  if (listed.dirFd >= 0 && listed.name >= begin && listed.name < end) listed.dirFd = -1;
}

bool TakeListedEntry(int dirFd, const char* name, struct statx& stx, bool* withoutXattrs) {
  ListedEntry& listed = Layer.listed;
  if (listed.dirFd < 0 || listed.dirFd != dirFd || strcmp(listed.name, name) != 0) return false;
  listed.dirFd = -1;  // one lookup only
  if (NowNs() - listed.atNs > kFreshForNs) return false;
  stx = listed.stx;
  if (withoutXattrs) *withoutXattrs = listed.withoutXattrs;
  return true;
}

void ForgetListedEntry() { Layer.listed.dirFd = -1; }
