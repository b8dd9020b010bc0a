// The set handler: after its one question, the attributes of /a and, for
// files, the times of /M, /C and /L. Only set flags entries: a flagged entry
// gets no "set" or "setdir" line.
#include <cstdio>

#include "actions/attributes_times.h"
#include "base/settings.h"
#include "output/console.h"
#include "output/standard_output.h"
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

bool AnyTimeGiven(void) { return ModTimeToSet || CreateTimeToSet || AccessTimeToSet; }

}  // namespace

bool SetEntry(const WIN32_FIND_DATAA* entry) {
  const char* fullName = EntryValues.FullName;
  if (!YesToAll && !ConfirmSet(fullName)) return false;
  bool flagged = false;
  if (AttribsToSet[0] && !SetAttributeText(entry, fullName)) flagged = true;
  if (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (!flagged) PrintOutput("KELTRO-INFO, setdir: %s\n", fullName);
    return flagged;
  }
  if (AnyTimeGiven() && !SetTimes(fullName, CreateTimeToSet, AccessTimeToSet, ModTimeToSet)) flagged = true;
  if (!flagged) PrintOutput("KELTRO-INFO, set: %s\n", fullName);
  return flagged;
}
