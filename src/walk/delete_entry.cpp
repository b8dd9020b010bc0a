// The del handler: files are deleted one by one; directories are left to
// the walker, which removes each after its own walk (with /E).
#include "actions/delete_remove.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"

bool DeleteEntry(const WIN32_FIND_DATAA* entry) {
  if (!(entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteOneFile(EntryValues.FullName, ListedSize(entry));
  return false;
}

void RemoveWalkedDirectory(const char* path) { RemoveDir(path); }
