// The walk's path texts, grown and cut back around every descent. Every
// operation is bounded: a text that would pass its capacity is refused, the
// refusal is printed ("KELTRO-ERROR, path too long: '...'") and counted in
// Stats.ErrorsDetected, and nothing is written past the text.
#pragma once

#include <cstddef>

#include "base/settings.h"

extern char CurrentDirPath[PathCapacity];  // absolute source directory, ends in '\'
extern size_t DirectoryPartStart;          // where the directory part starts in CurrentDirPath

// Sets CurrentDirPath for a root: drive + directory, or server + '\' + share +
// directory (a single '\' when the directory is empty). False (CurrentDirPath
// unchanged) when it does not fit.
bool ComposeRootPath(const char* server, const char* driveOrShare, const char* directory);

// Appends name and '\' to path (capacity bytes). Returns the old length, or
// -1 (path unchanged) when the result would not fit.
long EnterComponent(char* path, size_t capacity, const char* name);
// Cuts path back to the length EnterComponent returned (nothing for -1).
void LeaveComponent(char* path, long oldEnd);

// dest = directory followed by name; false (dest empty) when it does not fit.
bool JoinName(char* dest, size_t capacity, const char* directory, const char* name);
// The same with the directory's length known; when inPlace, dest already
// begins with the directory and only the name is written.
bool JoinNameTo(char* dest, size_t capacity, const char* directory, size_t directoryLength, bool inPlace,
                const char* name);

// Whether directory (of directoryLength characters) + name fits capacity - 1
// characters, reported and counted as JoinNameTo does when not: for a run
// that never reads the joined name.
bool NameFits(size_t capacity, const char* directory, size_t directoryLength, const char* name);

// dest = name up to, not including, its first '.'.
void NameWithoutExtension(char* dest, size_t capacity, const char* name);

// "." or "..", the entries that name a directory itself and its parent.
inline bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
