// The case-folded names of a few directories, kept for the lookup that ignores
// case so that names looked for again in other spellings cost no second read
// of the directory. The layer's own changes of names update them in place.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/posix/path_lookup.h"

// The name of directory dirPosix that equals name when case is ignored;
// false when there is none or the directory cannot be read. stx is the
// directory's state as the caller has just read it (statx, kEntryStatxMask).
bool FindCachedName(const std::string& dirPosix, const struct statx& stx, const std::string& name,
                    std::string& found);

// Whether names of dirPosix are kept on a file system that stamps directory
// changes finely (see name_cache.cpp); no system call.
bool KeepsFineNames(const std::string& dirPosix);
// True when such kept names, valid for the directory's state stx, hold no
// name equal to name ignoring case; false when absent or they cannot tell.
bool KnownAbsent(const std::string& dirPosix, const struct statx& stx, const std::string& name);

// What one of the layer's own calls did to the names of the directory of an
// entry it located.
enum class NameChange {
  Added,           // the entry is new
  Removed,         // the entry is gone
  Replaced,        // the entry was replaced by a new one of the same name
  DirectoryAdded,  // the entry is a new, empty directory
};

// Called after the change succeeded: the cached names follow it, or are let
// go of where the change cannot be followed.
void NoteNameChange(const LocatedPath& entry, NameChange change);
// Whether the names of directory dirPosix are kept: when they are not,
// NoteNameChange has nothing to follow for a file of it.
bool KeepsNamesOf(std::string_view dirPosix);
