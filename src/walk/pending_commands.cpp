// The handlers of del, set, cop, upd and mir.
//
// TEMPORARY: the file actions these commands need (delete, remove, copy,
// replace, attributes, times, owners, permissions) do not exist yet. Until
// they do, each handler only says once per run that its command is not
// available, and changes nothing. Replace each one with the real handler
// when its actions land.
#include <cstdio>

#include "base/settings.h"
#include "output/standard_output.h"
#include "walk/entry_handling.h"

static void ReportNotAvailable(bool* reported) {
  if (*reported) return;
  *reported = true;
  PrintError("KELTRO-ERROR, %s is not available yet\n", CommandWord);
}

static bool DeleteReported, SetReported, CopyReported;

bool DeleteEntry(const WIN32_FIND_DATAA* entry) {
  ReportNotAvailable(&DeleteReported);
  return false;
}

void RemoveWalkedDirectory(const char* path) { ReportNotAvailable(&DeleteReported); }

bool SetEntry(const WIN32_FIND_DATAA* entry) {
  ReportNotAvailable(&SetReported);
  return false;
}

bool CopyEntry(const WIN32_FIND_DATAA* entry) {
  ReportNotAvailable(&CopyReported);
  return false;
}

// Creates nothing yet; the walk still descends so that every source
// directory is listed.
bool PrepareTargetDirectory(const char* name, DWORD attributes) {
  ReportNotAvailable(&CopyReported);
  return true;
}
