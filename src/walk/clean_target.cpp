#include "walk/clean_target.h"

#include <cstring>

#include "actions/change_dir.h"
#include "actions/delete_remove.h"
#include "base/bounded_text.h"
#include "platform/layer_hints.h"
#include "platform/win32.h"
#include "walk/path_compose.h"

size_t TargetRootLength;
char RemovalPath[PathCapacity];

namespace {

char RemovalFileName[PathCapacity];  // the file RemoveTree deletes

bool IsDirectory(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A directory link (a junction on Windows) is removed itself, never entered:
// what it leads to lies outside the tree.
bool IsDirectoryLink(const WIN32_FIND_DATAA& entry) {
  return IsDirectory(entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void RemoveDirectoryLink(const char* directory, const char* name) {
  char fullName[PathCapacity];
  if (JoinName(fullName, sizeof fullName, directory, name)) RemoveDir(fullName);
}

// Enters TargetPath: its root by path, then each further name from the
// directory entered before it.
bool EnterTarget(void) {
  size_t length = strlen(TargetPath);
  size_t root = TargetRootLength && TargetRootLength <= length ? TargetRootLength : length;
  char step[TextCapacity];
  for (size_t end = root; end <= length; ++end) {
    if (end > root && TargetPath[end - 1] != '\\') continue;
    CopyTextN(step, sizeof step, TargetPath, end);
    if (!GoToDir(step)) return false;
  }
  return true;
}

// One target entry the source lacks.
void CleanEntry(const WIN32_FIND_DATAA& entry) {
  if (!IsDirectory(entry)) {
    char fullName[PathCapacity];
    if (JoinName(fullName, sizeof fullName, TargetPath, entry.cFileName)) DeleteOneFile(fullName, entry.nFileSizeLow);
  } else if (!Recurse || IsDotName(entry.cFileName)) {
    return;
  } else if (IsDirectoryLink(entry)) {
    RemoveDirectoryLink(TargetPath, entry.cFileName);
  } else {
    CopyText(RemovalPath, TargetPath);
    if (EnterComponent(RemovalPath, sizeof RemovalPath, entry.cFileName) >= 0) RemoveTree(RemovalPath);
  }
}

// The values of an entry of the current directory; false when it is gone.
bool LookUpEntry(const char* name, WIN32_FIND_DATAA& found) {
  HANDLE find = FindFirstFileA(name, &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

}  // namespace

// The clean-up goes by names, kinds and sizes: the target's stored
// attributes are not read for it. The target is listed by names alone; the
// values of an entry the source lacks are read by its own lookup, so that
// the entries kept (most often all) cost nothing more.
void CleanTarget(SourceNameList* list) {
  if (!EnterTarget()) return;
  WIN32_FIND_DATAA entry, found;
  bool readAttributes = ReadStoredAttributes(false);
  bool namesOnly = ListNamesOnly(true);
  HANDLE find = FindFirstFileA("*.*", &entry);
  ListNamesOnly(namesOnly);
  if (find != INVALID_HANDLE_VALUE) {
    do
      if (!IsDotName(entry.cFileName) && !HasSourceName(list, entry.cFileName) && LookUpEntry(entry.cFileName, found))
        CleanEntry(found);
    while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  ReadStoredAttributes(readAttributes);
}

void RemoveTree(const char* path) {
  if (path != RemovalPath) CopyText(RemovalPath, path);
  if (!GoToDir(RemovalPath)) return;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("*.*", &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (IsDirectoryLink(entry)) {
        RemoveDirectoryLink(RemovalPath, entry.cFileName);
      } else if (IsDirectory(entry)) {
        if (IsDotName(entry.cFileName)) continue;
        long end = EnterComponent(RemovalPath, sizeof RemovalPath, entry.cFileName);
        if (end < 0) continue;  // too deep: reported and counted; the removal below then fails
        RemoveTree(RemovalPath);
        LeaveComponent(RemovalPath, end);
        GoToDir(RemovalPath);
      } else if (JoinName(RemovalFileName, sizeof RemovalFileName, RemovalPath, entry.cFileName)) {
        DeleteOneFile(RemovalFileName, entry.nFileSizeLow);
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  if (GoToDir("..")) RemoveDir(RemovalPath);
}
