#include "walk/walk_directory.h"

#include <cstdio>
#include <cstring>

#include "actions/change_dir.h"
#include "base/param_tables.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "platform/win32.h"
#include "match/pattern_match.h"
#include "walk/criteria.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"
#include "walk/owner_totals.h"
#include "walk/path_compose.h"

int32_t WalkDepth;

namespace {

// The five texts every level of one root's walk is called with.
struct WalkRoot {
  const char* domain;
  const char* server;
  const char* location;
  const char* directory;
  const char* patterns;
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

// "." or "..", the entries that name the directory itself and its parent.
bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
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

// One listed entry: descend, then match, fill, test, tally and hand it on.
void TakeEntry(const WalkRoot& root, const WIN32_FIND_DATAA* entry, DirectoryTally* tally) {
  DWORD attributes = entry->dwFileAttributes;
  bool isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (isDirectory && IsDotName(entry->cFileName)) return;
  // Reparse points (links, junctions) are never entered, so a link cannot lead the walk in circles.
  if (isDirectory && Recurse && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) Descend(root, entry, tally);

  if (!MatchPatternList(entry->cFileName, root.patterns)) return;
  if (!FillFileValues(entry)) return;  // full name too long: reported and counted
  if (!EntryMatchesCriteria(FileValues)) return;

  uint32_t size = ListedSize(entry);
  if (OwnerFormat[0] || TotalsFormat[0]) TallyOwner(size);
  if (HandleEntry(entry)) {
    Stats.ErrorsDetected++;
    return;
  }
  tally->files++;
  tally->bytes += size;
  Stats.Files++;
  Stats.Bytes += size;
}

// Lists the current directory. False after a listing error (reported and counted).
bool ListDirectory(const WalkRoot& root, DirectoryTally* tally) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("*.*", &entry);
  DWORD error;
  if (find == INVALID_HANDLE_VALUE) {
    error = GetLastError();
  } else {
    do TakeEntry(root, &entry, tally);
    while (FindNextFileA(find, &entry));
    error = GetLastError();
    FindClose(find);
  }
  if (error == ERROR_NO_MORE_FILES) return true;
  PrintError("KELTRO-ERROR, Dir(%s) failed, error=%ld\n", CurrentDirPath, (long)error);
  Stats.ErrorsDetected++;
  return false;
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
  const WalkRoot root = {domain, server, location, directory, patterns};
  if (CurrentDirPath[0] == '\0') {
    if (!ComposeRootPath(server, location, directory)) return 0;  // reported and counted
    BindFileValues(domain, server, location);
  }
  DirectoryTally tally = StartTally();
  // With /d the source name list of this directory is obtained here, filled
  // by the listing and used for the mirror clean-up after it.
  if (!GoToDir(CurrentDirPath)) return 0;
  ListDirectory(root, &tally);
  if (CurrentCommand == CMD_DEL && GoToDir("..") && RemoveDirs && (WalkDepth > 0 || WholeDirectorySpec)) {
    RemoveWalkedDirectory(CurrentDirPath);
  }
  if (CurrentCommand == CMD_SHO && DirFormat[0]) PrintDirectoryLine(root, tally);
  return 1;
}
