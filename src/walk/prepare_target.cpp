// cop, upd and mir: the target subdirectory is made ready before the walk
// descends into its source; upd creates missing subdirectories too.
#include "actions/attributes_times.h"
#include "actions/directories.h"
#include "base/settings.h"
#include "walk/entry_handling.h"

bool PrepareTargetDirectory(const char* name, DWORD attributes) {
  DWORD existing = DirExists(TargetPath);
  if (!existing && !MakeDir(TargetPath)) return false;
  // A directory just created is compared as having no attributes.
  if (!NoAttribCopy) ReplaceAttribs(TargetPath, attributes, existing);
  return true;
}
