#include "actions/attributes_times.h"

#include "actions/action_pattern.h"
#include "actions/parent_directory.h"

DWORD ApplyAttribText(DWORD attributes, const char* text) {
  static const struct {
    char letter;
    DWORD bit;
  } positions[] = {{'R', FILE_ATTRIBUTE_READONLY},
                   {'H', FILE_ATTRIBUTE_HIDDEN},
                   {'S', FILE_ATTRIBUTE_SYSTEM},
                   {'A', FILE_ATTRIBUTE_ARCHIVE}};
  for (int i = 0; i < 4 && text[i]; i++) {
    if (text[i] == positions[i].letter) attributes |= positions[i].bit;
    if (text[i] == '.') attributes &= ~positions[i].bit;
  }
  return attributes;
}

// Refused twice with access denied, the path's parent directory is taken
// over before the third try.
bool SetAttribs(const char* path, DWORD attributes) {
  char parent[MAX_PATH];
  if (!ParentDirectory(path, parent)) return false;
  auto set = [&] { return SetFileAttributesA(path, attributes); };
  bool done = TryAction(set, path);
  if (!done && GetLastError() == ERROR_ACCESS_DENIED) {
    RemoveProtection(parent);
    done = set();
  }
  if (!done) return ActionFailed("KELTRO-ERROR, SetAttribs(%s) failed, error=%ld\n", path, (long)GetLastError());
  return true;
}

bool ReplaceAttribs(const char* path, DWORD wanted, DWORD current) {
  if (wanted == current) return true;
  if (!SetAttribs(path, wanted)) return false;
  PrintOutput("KELTRO-INFO, replace attributes: %s\n", path);
  Stats.AttributesReplaced++;
  return true;
}

// A time of 0 stays absent; the others go from local time to UTC.
static const FILETIME* UtcTime(TimeValue local, FILETIME& utc) {
  if (local == 0) return nullptr;
  FILETIME given = FileTimeOf(local);
  return LocalFileTimeToFileTime(&given, &utc) ? &utc : nullptr;
}

bool SetTimes(const char* path, TimeValue creation, TimeValue access, TimeValue write) {
  FILETIME utc[3];
  const FILETIME* creationTime = UtcTime(creation, utc[0]);
  const FILETIME* accessTime = UtcTime(access, utc[1]);
  const FILETIME* writeTime = UtcTime(write, utc[2]);
  HANDLE file = INVALID_HANDLE_VALUE;
  auto open = [&] {
    // Backup semantics, so that a directory opens too.
    file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    return file != INVALID_HANDLE_VALUE;
  };
  bool done = TryAction(open, path);
  if (done) {
    done = SetFileTime(file, creationTime, accessTime, writeTime);
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
  }
  if (!done) return ActionFailed("KELTRO-ERROR, SetFileTime(%s) failed, error=%ld\n", path, (long)GetLastError());
  return true;
}
