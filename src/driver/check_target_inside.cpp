// A copy into its own source would copy what it has just copied, and mir /d
// would clean the source against itself: a target that is the source
// directory, or lies inside it, is refused. Directories are compared by what
// they are (volume and file index), not by their texts, so another drive
// letter for the same tree, another case or a link leads to the same answer.
#include <cstring>

#include "base/bounded_text.h"
#include "driver/entry.h"
#include "match/pattern_match.h"
#include "sources/drive_spec.h"

namespace {

struct FileIdentity {
  DWORD volume, indexHigh, indexLow;
};

bool IdentityOf(const char* path, FileIdentity* identity) {
  HANDLE handle = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool known = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  if (known) *identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return known;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
  return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

// The source directories that exist: DirectoryPart up to its first component
// with a wildcard, on every drive the source names.
struct SourceDirectories {
  FileIdentity identities[26];
  int count;
};

void AddSourceDirectory(SourceDirectories* sources, const char* drive, const char* fixedPart) {
  char path[TextCapacity * 2];
  CopyText(path, drive);
  AppendText(path, fixedPart);
  if (sources->count < 26 && IdentityOf(path, &sources->identities[sources->count])) sources->count++;
}

void FindSourceDirectories(SourceDirectories* sources) {
  char fixedPart[TextCapacity];
  size_t end = 0;
  for (size_t i = 0; DirectoryPart[i] && DirectoryPart[i] != '*' && DirectoryPart[i] != '?'; ++i) {
    if (DirectoryPart[i] == '\\') end = i + 1;
  }
  CopyTextN(fixedPart, sizeof fixedPart, DirectoryPart, end);
  bool isLetter = strlen(DrivePart) == 2 && DrivePart[1] == ':' && !HasWildcards(DrivePart);
  if (!DrivePart[0] || isLetter) {
    AddSourceDirectory(sources, DrivePart, fixedPart);  // without a drive: the current one
    return;
  }
  DWORD drives = DrivesOfClass(DrivePart, GetLogicalDrives());
  for (int letter = 0; letter < 26; ++letter) {
    char drive[3] = {(char)('A' + letter), ':', '\0'};
    if (drives & (1u << letter)) AddSourceDirectory(sources, drive, fixedPart);
  }
}

// Cuts "C:\a\b\" to "C:\a\"; false at the root.
bool CutToParent(char* path) {
  size_t length = strlen(path);
  if (length && path[length - 1] == '\\') length--;
  while (length && path[length - 1] != '\\') length--;
  if (length == 0 || path[length] == '\0') return false;
  path[length] = '\0';
  return true;
}

}  // namespace

bool TargetLiesInsideSource(void) {
  if (ServerPattern[0]) return false;  // shares are compared when UNC sources are walked
  SourceDirectories sources = {};
  FindSourceDirectories(&sources);
  char ancestor[TextCapacity];
  CopyText(ancestor, TargetPath);
  do {
    FileIdentity identity;
    if (!IdentityOf(ancestor, &identity)) continue;
    for (int i = 0; i < sources.count; ++i) {
      if (SameFile(identity, sources.identities[i])) return true;
    }
  } while (CutToParent(ancestor));
  return false;
}
