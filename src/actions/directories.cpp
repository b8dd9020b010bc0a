#include "actions/directories.h"

#include "actions/action_pattern.h"
#include "actions/parent_directory.h"

DWORD DirExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return 0;
    if (GetLastError() == ERROR_ACCESS_DENIED) {
      RemoveProtection(path);
      attributes = GetFileAttributesA(path);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      // Reported, but not counted: the caller decides what a missing
      // directory means.
      PrintError("KELTRO-ERROR, DirExists(%s) failed, error=%ld\n", path, (long)GetLastError());
      return 0;
    }
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? attributes : 0;
}

// Each missing level is made by its own call, from the outermost inwards; a
// level that fails makes the inner ones fail without a word of their own.
bool MakeDir(const char* path) {
  char parent[MAX_PATH];
  if (!ParentDirectory(path, parent)) return false;
  if (!DirExists(parent) && !MakeDir(parent)) return false;
  if (!ConfirmAction(AK_CREATE, "Create %s ?\n", path)) return false;
  if (!TryAction([&] { return CreateDirectoryA(path, nullptr); }, parent)) {
    return ActionFailed("KELTRO-ERROR, cannot create %s, error=%ld\n", path, (long)GetLastError());
  }
  PrintOutput("KELTRO-INFO, created %s\n", path);
  Stats.DirectoriesCreated++;
  return true;
}
