// The set handler: after its one question, the attributes of /a, the owner
// of /o, then for files the permissions of /g and the times of /M, /C and /L,
// for directories the permissions of /G. Every step runs even after one
// failed. Only set flags entries: a flagged entry gets no "set" or "setdir"
// line.
#include <cstdio>

#include "actions/attributes_times.h"
#include "actions/security_actions.h"
#include "base/settings.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "security/ownership.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"

namespace {

constexpr int ConfirmCapacity = 256;

// "Set <full name> ?"; a name too long for the prompt's buffer is cut there.
bool ConfirmSet(const char* fullName) {
  char prompt[ConfirmCapacity];
  int length = snprintf(prompt, sizeof prompt, "Set %s ?\n", fullName);
  if (length >= (int)sizeof prompt) prompt[sizeof prompt - 2] = '\n';  // the cut text still ends its line
  return AskConfirmGlobal(prompt);
}

// SetFileAttributesA directly, also when nothing changes: no retry, no take-over.
bool SetAttributeText(const WIN32_FIND_DATAA* entry, const char* fullName) {
  DWORD wanted = ApplyAttribText(entry->dwFileAttributes, AttribsToSet);
  if (SetFileAttributesA(fullName, wanted)) return true;
  PrintError("KELTRO-ERROR, cannot set attributes on '%s', error=%ld\n", fullName, (long)GetLastError());
  return false;
}

// /o, expanded for the entry (~u gives the owner's own name).
bool SetOwner(const char* fullName) {
  InitOwnership();
  FormatOutput(NewOwner, LineBuffer, FileValues, LineCapacity);
  PrintOutput("KELTRO-INFO, changing owner from %s to %s\n", EntryValues.OwnerText, LineBuffer);
  return ChangeOwner(EntryValues.Server, fullName, LineBuffer);
}

// /g is expanded for each file; /G is applied to directories as typed.
bool SetFilePermissions(const char* fullName) {
  FormatOutput(FilePermissions, LineBuffer, FileValues, LineCapacity);
  return ChangePermissions(EntryValues.Server, fullName, LineBuffer);
}

bool AnyTimeGiven(void) { return ModTimeToSet || CreateTimeToSet || AccessTimeToSet; }

}  // namespace

bool SetEntry(const WIN32_FIND_DATAA* entry) {
  const char* fullName = EntryValues.FullName;
  if (!YesToAll && !ConfirmSet(fullName)) return false;
  bool flagged = false;
  if (AttribsToSet[0] && !SetAttributeText(entry, fullName)) flagged = true;
  if (NewOwner[0] && !SetOwner(fullName)) flagged = true;
  if (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (DirPermissions[0] && !ChangePermissions(EntryValues.Server, fullName, DirPermissions)) flagged = true;
    if (!flagged) PrintOutput("KELTRO-INFO, setdir: %s\n", fullName);
    return flagged;
  }
  if (FilePermissions[0] && !SetFilePermissions(fullName)) flagged = true;
  if (AnyTimeGiven() && !SetTimes(fullName, CreateTimeToSet, AccessTimeToSet, ModTimeToSet)) flagged = true;
  if (!flagged) PrintOutput("KELTRO-INFO, set: %s\n", fullName);
  return flagged;
}
