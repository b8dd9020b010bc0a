// cop, upd and mir: the target subdirectory is made ready before the walk
// descends into its source; upd creates missing subdirectories too. With /P
// a directory just made gets the source's security, one that was there only
// where it differs. What the attributes and the security steps report does
// not stop the walk.
#include "actions/attributes_times.h"
#include "actions/directories.h"
#include "actions/security_actions.h"
#include "base/settings.h"
#include "walk/entry_handling.h"

bool PrepareTargetDirectory(const char* name, DWORD attributes) {
  DWORD existing = DirExists(TargetPath);
  if (!existing && !MakeDir(TargetPath)) return false;
  // A directory just created is compared as having no attributes.
  if (!NoAttribCopy) ReplaceAttribs(TargetPath, attributes, existing);
  // `name` is relative to the directory being walked.
  if (CopyPermissions && existing) SyncSecurity(name, TargetPath);
  if (CopyPermissions && !existing) CopySecurity(name, TargetPath, nullptr);
  return true;
}
