#include "actions/protection.h"

#include "actions/action_pattern.h"
#include "security/ownership.h"

bool RemoveProtection(const char* path) {
  if (!ConfirmAction(AK_PROTECTION, "Remove protection from %s ?\n", path)) return false;
  // Each step runs even when one before it failed.
  bool initialised = InitOwnership();
  bool normal = SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  bool taken = TakeOwnership(path);
  if (!(initialised && normal && taken)) {
    return ActionFailed("KELTRO-ERROR, cannot remove protections from %s, error=%ld\n", path, (long)GetLastError());
  }
  Stats.FilesTaken++;
  return true;
}
