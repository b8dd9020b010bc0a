// The cop, upd and mir handler: each file of the source is copied to the
// target directory, replaced there, or kept, as the command and the two
// last-write times decide. With /P a target copied or replaced gets the
// source's owner, group and DACL, and a target kept gets them where they
// differ. Nothing is flagged: the actions count their own failures.
#include "actions/action_pattern.h"
#include "actions/attributes_times.h"
#include "actions/copy_replace.h"
#include "actions/security_actions.h"
#include "base/settings.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"
#include "walk/path_compose.h"

namespace {

enum CopyAction { ACTION_NONE, ACTION_COPY, ACTION_REPLACE, ACTION_KEEP };

// What the target holds under the source file's name.
struct TargetFile {
  bool present;
  DWORD attributes;
  uint32_t size;
  FILETIME writeTime;
};

// A lookup that fails for any reason counts as a missing target.
TargetFile LookUpTarget(const char* path) {
  TargetFile target = {};
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(path, &found);
  if (find == INVALID_HANDLE_VALUE) return target;
  target = {true, found.dwFileAttributes, found.nFileSizeLow, found.ftLastWriteTime};
  FindClose(find);
  return target;
}

// The low 16 bits of the low half cleared: times within one step of 6.5536 ms are equal.
FILETIME Coarse(FILETIME time) {
  time.dwLowDateTime &= 0xFFFF0000u;
  return time;
}

CopyAction CompareTimes(FILETIME source, FILETIME target) {
  LONG order = CompareFileTime(&source, &target);
  if (order == 0) return ACTION_KEEP;
  if (NewerOnly && order < 0) return ACTION_KEEP;
  return ACTION_REPLACE;
}

CopyAction ChooseAction(const WIN32_FIND_DATAA* entry, const TargetFile& target) {
  if (!target.present) return CurrentCommand == CMD_UPD ? ACTION_NONE : ACTION_COPY;
  if (CurrentCommand == CMD_COP) return ACTION_REPLACE;
  return CompareTimes(Coarse(entry->ftLastWriteTime), Coarse(target.writeTime));
}

bool Replace(const WIN32_FIND_DATAA* entry, const char* targetFile, const TargetFile& target) {
  FILETIME targetTime = Coarse(target.writeTime), targetLocal = {};
  FileTimeToLocalFileTime(&targetTime, &targetLocal);
  return ReplaceExisting(EntryValues.FullName, ListedSize(entry), FileTimeOf(EntryValues.WriteTime), targetFile,
                         target.size, targetLocal);
}

// Whether the last target looked up was there. While it was not, cop copies
// each file before looking its target up, where the copy would not ask: the
// target is then most often missing, and it is looked up only when the copy
// fails (80 when it is there), to act on it as it would have been.
bool LastTargetPresent = false;

bool CopiesBeforeLookUp() { return CurrentCommand == CMD_COP && !LastTargetPresent && AnsweredBefore(AK_COPY); }

// Looks the target up and copies, replaces or keeps: true when the target
// was copied or replaced. firstError: see CopyNew.
bool LookUpAndAct(const WIN32_FIND_DATAA* entry, const char* targetFile, DWORD firstError) {
  TargetFile target = LookUpTarget(targetFile);
  LastTargetPresent = target.present;
  switch (ChooseAction(entry, target)) {
    case ACTION_NONE:
      return false;
    case ACTION_COPY:
      return CopyNew(EntryValues.FullName, ListedSize(entry), TargetPath, targetFile, firstError);
    case ACTION_REPLACE:
      return Replace(entry, targetFile, target);
    case ACTION_KEEP:
      if (CopyPermissions) SyncSecurity(EntryValues.FullName, targetFile);
      if (!NoAttribCopy) ReplaceAttribs(targetFile, entry->dwFileAttributes, target.attributes);
      return false;
  }
  return false;
}

}  // namespace

bool CopyEntry(const WIN32_FIND_DATAA* entry) {
  if (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  char targetFile[PathCapacity];
  if (!JoinName(targetFile, sizeof targetFile, TargetPath, entry->cFileName)) return false;  // reported and counted
  bool done = false;
  DWORD firstError = 0;
  if (CopiesBeforeLookUp()) {
    done = CopyUnasked(EntryValues.FullName, ListedSize(entry), TargetPath, targetFile);
    if (!done) firstError = GetLastError();
  }
  if (!done) done = LookUpAndAct(entry, targetFile, firstError);
  if (done && CopyPermissions) CopySecurity(EntryValues.FullName, targetFile, nullptr);
  if (done && NoAttribCopy) SetAttribs(targetFile, FILE_ATTRIBUTE_NORMAL);
  return false;
}
