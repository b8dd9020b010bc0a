#include "walk/path_compose.h"

#include <cstdio>
#include <cstring>

#include "base/statistics.h"
#include "base/bounded_text.h"
#include "output/standard_output.h"

char CurrentDirPath[PathCapacity];
size_t DirectoryPartStart;

static void ReportPathTooLong(const char* first, const char* second, const char* third) {
  PrintError("KELTRO-ERROR, path too long: '%s%s%s'\n", first, second, third);
  Stats.ErrorsDetected++;
}

// dest = first + second + third, or false (dest untouched) when that needs
// more than capacity - 1 characters.
static bool Concatenate(char* dest, size_t capacity, const char* first, const char* second,
                        const char* third) {
  size_t lengths[3] = {strlen(first), strlen(second), strlen(third)};
  if (lengths[0] + lengths[1] + lengths[2] >= capacity) {
    ReportPathTooLong(first, second, third);
    return false;
  }
  memmove(dest, first, lengths[0]);
  memmove(dest + lengths[0], second, lengths[1]);
  memmove(dest + lengths[0] + lengths[1], third, lengths[2] + 1);
  return true;
}

bool ComposeRootPath(const char* server, const char* driveOrShare, const char* directory) {
  char root[PathCapacity];
  size_t partStart;
  if (server[0] == '\0') {
    if (!Concatenate(root, sizeof root, driveOrShare, directory, "")) return false;
    partStart = strlen(driveOrShare);
  } else {
    char shareRoot[PathCapacity];
    if (!Concatenate(shareRoot, sizeof shareRoot, server, "\\", driveOrShare)) return false;
    if (!Concatenate(root, sizeof root, shareRoot, directory[0] ? directory : "\\", "")) return false;
    partStart = strlen(shareRoot);
  }
  CopyText(CurrentDirPath, root);
  DirectoryPartStart = partStart;
  return true;
}

long EnterComponent(char* path, size_t capacity, const char* name) {
  size_t oldEnd = strlen(path);
  if (oldEnd + strlen(name) + 1 >= capacity) {
    ReportPathTooLong(path, name, "\\");
    return -1;
  }
  size_t nameLength = strlen(name);
  memcpy(path + oldEnd, name, nameLength);
  path[oldEnd + nameLength] = '\\';
  path[oldEnd + nameLength + 1] = '\0';
  return (long)oldEnd;
}

void LeaveComponent(char* path, long oldEnd) {
  if (oldEnd >= 0) path[oldEnd] = '\0';
}

bool JoinName(char* dest, size_t capacity, const char* directory, const char* name) {
  return JoinNameTo(dest, capacity, directory, strlen(directory), false, name);
}

bool JoinNameTo(char* dest, size_t capacity, const char* directory, size_t directoryLength, bool inPlace,
                const char* name) {
  size_t nameLength = strlen(name);
  if (directoryLength + nameLength >= capacity) {
    ReportPathTooLong(directory, name, "");
    if (capacity) dest[0] = '\0';
    return false;
  }
  if (!inPlace) memmove(dest, directory, directoryLength);
  memmove(dest + directoryLength, name, nameLength + 1);
  return true;
}

bool NameFits(size_t capacity, const char* directory, size_t directoryLength, const char* name) {
  if (directoryLength + strlen(name) < capacity) return true;
  ReportPathTooLong(directory, name, "");
  return false;
}

void NameWithoutExtension(char* dest, size_t capacity, const char* name) {
  size_t length = strlen(name);
  const char* dot = (const char*)memchr(name, '.', length);
  CopyTextN(dest, capacity, name, dot ? (size_t)(dot - name) : length);
}
