#include "actions/change_dir.h"

#include <cstdio>

#include "base/statistics.h"
#include "output/standard_output.h"
#include "platform/win32.h"

bool GoToDir(const char* path) {
  if (SetCurrentDirectoryA(path)) return true;
  // A refusal with access denied is to be retried once after the directory's
  // protection has been removed; that retry joins here when the protection
  // removal action exists. Until then access denied fails like any error.
  PrintError("KELTRO-ERROR, cannot go to %s, error=%ld\n", path, (long)GetLastError());
  Stats.ErrorsDetected++;
  return false;
}
