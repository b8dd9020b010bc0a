// The case-folded names of a few directories, kept for the lookup that ignores
// case so that names looked for again in other spellings cost no second read
// of the directory. The layer's own changes of names update them in place.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/posix/path_lookup.h"

// The name of directory dirPosix that equals name when case is ignored;
// false when there is none or the directory cannot be read. stx is the
// directory's state as the caller has just read it (statx, kEntryStatxMask).
bool FindCachedName(const std::string& dirPosix, const struct statx& stx, const std::string& name,
                    std::string& found);

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
