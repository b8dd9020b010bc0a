#include "actions/change_dir.h"

#include "actions/action_pattern.h"

// The one action without a prompt of its own: a refusal is retried after
// the protection removal, which asks for itself.
bool GoToDir(const char* path) {
  if (TryAction([&] { return SetCurrentDirectoryA(path); }, path)) return true;
  return ActionFailed("KELTRO-ERROR, cannot go to %s, error=%ld\n", path, (long)GetLastError());
}
