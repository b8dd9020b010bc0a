#include "walk/walk_directory.h"

#include <cstdio>
#include <cstring>

#include "actions/change_dir.h"
#include "base/param_tables.h"
#include "base/run_values.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "platform/layer_hints.h"
#include "platform/win32.h"
#include "match/pattern_match.h"
#include "walk/clean_target.h"
#include "walk/criteria.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"
#include "walk/owner_totals.h"
#include "walk/path_compose.h"
#include "walk/source_names.h"

int32_t WalkDepth;

namespace {

// The five texts every level of one root's walk is called with, and whether
// its pattern list takes every name.
struct WalkRoot {
  const char* domain;
  const char* server;
  const char* location;
  const char* directory;
  const char* patterns;
  bool takesAll;  // the list begins with "*": every name matches
};

// Per-directory tallies, and the run counters when the directory began.
struct DirectoryTally {
  int32_t files;
  double bytes;
  int32_t subdirectories;
  int32_t filesBefore;
  double bytesBefore;
  int32_t subdirectoriesBefore;
};

DirectoryTally StartTally(void) {
  DirectoryTally tally = {};
  tally.filesBefore = Stats.Files;
  tally.bytesBefore = Stats.Bytes;
  tally.subdirectoriesBefore = Stats.Subdirectories;
  return tally;
}

void TallyOwner(uint32_t size) {
  int row = FindOrAddOwner(EntryValues.OwnerText);
  if (row < 0) return;
  OwnerTotals.Files[row]++;
  OwnerTotals.Bytes[row] += size;
}

// Walks the subdirectory `entry` of the current directory, with the target
// directory that corresponds to it.
void Descend(const WalkRoot& root, const WIN32_FIND_DATAA* entry, DirectoryTally* tally) {
  long targetEnd = -1;
  if (TargetPath[0]) {
    targetEnd = EnterComponent(TargetPath, sizeof TargetPath, entry->cFileName);
    if (targetEnd < 0) return;  // counted by EnterComponent
  }
  bool prepared = !IsCopyCommand(CurrentCommand) || PrepareTargetDirectory(entry->cFileName, entry->dwFileAttributes);
  long dirEnd = prepared ? EnterComponent(CurrentDirPath, sizeof CurrentDirPath, entry->cFileName) : -1;
  if (dirEnd >= 0) {
    tally->subdirectories++;
    Stats.Subdirectories++;
    WalkDepth++;
    WalkDirectory(root.domain, root.server, root.location, root.directory, root.patterns);
    WalkDepth--;
    LeaveComponent(CurrentDirPath, dirEnd);
    SetCurrentDirectoryA(CurrentDirPath);
  }
  LeaveComponent(TargetPath, targetEnd);
}

// Where the listing of one directory stands: its path's length, and whether
// the full name of the entry filled last (of this directory) still begins
// with that path.
struct ListingPlace {
  size_t dirLength;
  bool dirInFullName;
};

// One listed entry: descend, then match, fill, test, tally and hand it on.
void TakeEntry(const WalkRoot& root, const WIN32_FIND_DATAA* entry, DirectoryTally* tally, ListingPlace* place) {
  DWORD attributes = entry->dwFileAttributes;
  bool isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (isDirectory && IsDotName(entry->cFileName)) return;
  // Reparse points (links, junctions) are never entered, so a link cannot lead the walk in circles.
  if (isDirectory && Recurse && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    Descend(root, entry, tally);
    place->dirInFullName = false;  // the subdirectory's entries were filled
  }

  if (!root.takesAll && !MatchPatternList(entry->cFileName, root.patterns)) return;
  place->dirInFullName = FillFileValues(entry, place->dirLength, place->dirInFullName);
  if (!place->dirInFullName) return;  // full name too long: reported and counted
  if (!EntryMatchesCriteria(FileValues)) return;

  uint32_t size = ListedSize(entry);
  // Only ~o lines and the o of the ~T line read the owner totals; both make the run read owners.
  if (NeedOwner && (OwnerFormat[0] || TotalsFormat[0])) TallyOwner(size);
  if (HandleEntry(entry)) {
    Stats.ErrorsDetected++;
    return;
  }
  tally->files++;
  tally->bytes += size;
  Stats.Files++;
  Stats.Bytes += size;
}

// Starts the listing of the current directory, asking only for what the walk
// reads: no times when the run reads none, no values for `.` and `..`, which
// it skips by name, and, in a sho run that reads no attribute letters, none
// for a directory beyond that it is one.
HANDLE StartListing(WIN32_FIND_DATAA* entry) {
  bool timesRead = false;
  for (bool needed : Run.TimeNeeded) timesRead |= needed;
  bool times = ListTimes(timesRead);
  bool dotValues = ListDotValues(false);
  bool byType = ListDirectoriesByType(CurrentCommand == CMD_SHO && !timesRead && !EntryTextsAreRead());
  HANDLE find = FindFirstFileA("*.*", entry);
  ListTimes(times);
  ListDotValues(dotValues);
  ListDirectoriesByType(byType);
  return find;
}

enum ListingResult { LISTING_DONE, LISTING_FAILED, LISTING_ABANDONED };

// Lists the current directory; with /d every listed name goes into `names`
// first, and a full list abandons the directory. A listing error is
// reported and counted.
ListingResult ListDirectory(const WalkRoot& root, DirectoryTally* tally, SourceNameList* names) {
  WIN32_FIND_DATAA entry;
  ListingPlace place = {strlen(CurrentDirPath), false};
  HANDLE find = StartListing(&entry);
  DWORD error;
  if (find == INVALID_HANDLE_VALUE) {
    error = GetLastError();
  } else {
    do {
      if (names && !AddSourceName(names, entry.cFileName)) {
        FindClose(find);
        return LISTING_ABANDONED;
      }
      TakeEntry(root, &entry, tally, &place);
    } while (FindNextFileA(find, &entry));
    error = GetLastError();
    FindClose(find);
  }
  if (error == ERROR_NO_MORE_FILES) return LISTING_DONE;
  PrintError("KELTRO-ERROR, Dir(%s) failed, error=%ld\n", CurrentDirPath, (long)error);
  Stats.ErrorsDetected++;
  return LISTING_FAILED;
}

// Enters and lists the directory; with /d the target is cleaned against its
// names after a listing that ended well. The name list is released on every
// way out.
ListingResult EnterAndListDirectory(const WalkRoot& root, DirectoryTally* tally) {
  SourceNameList names = {};
  if (CleanupTarget && !CreateSourceNameList(&names)) {
    PrintError("KELTRO-ERROR, cannot allocate memory, error=%ld\n", (long)ERROR_NOT_ENOUGH_MEMORY);
    Stats.ErrorsDetected++;
    return LISTING_ABANDONED;
  }
  ListingResult listing = LISTING_ABANDONED;
  if (GoToDir(CurrentDirPath)) listing = ListDirectory(root, tally, CleanupTarget ? &names : nullptr);
  if (listing == LISTING_DONE && CleanupTarget) CleanTarget(&names);
  ReleaseSourceNameList(&names);
  return listing;
}

void PrintDirectoryLine(const WalkRoot& root, const DirectoryTally& tally) {
  int32_t cumulatedFiles = Stats.Files - tally.filesBefore;
  double cumulatedBytes = Stats.Bytes - tally.bytesBefore;
  int32_t cumulatedSubdirectories = Stats.Subdirectories - tally.subdirectoriesBefore;
  const PlaceholderEntry table[] = {
      {PK_NUMBER, 'T', &tally.files},
      {PK_DOUBLE, 's', &tally.bytes},
      {PK_NUMBER, 'd', &tally.subdirectories},
      {PK_NUMBER, 'Y', &cumulatedFiles},
      {PK_DOUBLE, 'X', &cumulatedBytes},
      {PK_NUMBER, 'Z', &cumulatedSubdirectories},
      {PK_TEXT, 'f', CurrentDirPath},
      {PK_TEXT, 'D', root.domain},
      {PK_TEXT, 'S', root.server},
      {PK_TEXT, 'e', root.location},
      {PK_END, 0, nullptr},
  };
  PrintListingLine(DirFormat, table);
}

}  // namespace

int WalkDirectory(const char* domain, const char* server, const char* location,
                  const char* directory, const char* patterns) {
  const WalkRoot root = {domain, server, location, directory, patterns, patterns[0] == '*' && patterns[1] == '\0'};
  if (CurrentDirPath[0] == '\0') {
    if (!ComposeRootPath(server, location, directory)) return 0;  // reported and counted
    BindFileValues(domain, server, location);
    TargetRootLength = strlen(TargetPath);
  }
  DirectoryTally tally = StartTally();
  if (EnterAndListDirectory(root, &tally) == LISTING_ABANDONED) return 0;
  if (CurrentCommand == CMD_DEL && GoToDir("..") && RemoveDirs && (WalkDepth > 0 || WholeDirectorySpec)) {
    RemoveWalkedDirectory(CurrentDirPath);
  }
  if (CurrentCommand == CMD_SHO && DirFormat[0]) PrintDirectoryLine(root, tally);
  return 1;
}
