#include "actions/delete_remove.h"

#include "actions/action_pattern.h"
#include "output/progress.h"

bool DeleteOneFile(const char* path, uint32_t size) {
  NoteProgress(path);
  if (!ConfirmAction(AK_DELETE, "Delete %s ?\n", path)) return false;
  if (!TryAction([&] { return DeleteFileA(path); }, path)) {
    return ActionFailed("KELTRO-ERROR, cannot delete '%s', error=%ld\n", path, (long)GetLastError());
  }
  PrintActionDone("KELTRO-INFO, delete: ", path);
  Stats.FilesDeleted++;
  Stats.BytesDeleted += size;
  return true;
}

bool RemoveDir(const char* path) {
  if (!ConfirmAction(AK_REMOVE, "Remove %s ?\n", path)) return false;
  if (!TryAction([&] { return RemoveDirectoryA(path); }, path)) {
    return ActionFailed("KELTRO-ERROR, cannot remove %s, error=%ld\n", path, (long)GetLastError());
  }
  PrintActionDone("KELTRO-INFO, remove: ", path);
  Stats.DirectoriesRemoved++;
  return true;
}
