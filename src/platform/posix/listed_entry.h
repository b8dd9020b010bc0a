// The last entry a listing of the current directory gave, with its statx,
// kept for the change that follows it at once (del deletes each file the walk
// has just listed, cop copies it): that change's lookup, or the copy's check
// of its source's kind, takes it instead of asking the kernel again. It
// answers one lookup of the same descriptor and name, made within a few
// milliseconds; a change of directory forgets it.
#pragma once

#include <sys/stat.h>

// Whether KeepListedEntries (layer_hints.h) is on.
bool ListedEntriesKept();
// The buffer a listing of the current directory stats its next entry into;
// whatever it held is forgotten.
struct statx* ListedEntryBuffer();
// Notes that buffer as the entry `name` of dirFd, stat'ed just now. The
// name stays the caller's: it is given back with ForgetListedEntryIn
// before it goes.
void NoteListedEntry(int dirFd, const char* name);
// Forgets the entry when its name lies in [begin, end).
void ForgetListedEntryIn(const char* begin, const char* end);
// Notes that the listing's read of the extended attributes of `path` found
// none, when path is the entry's name (as the listing of the current
// directory names it).
void NoteListedWithoutXattrs(const char* path);
// stx, and withoutXattrs when given, take what was noted of the entry.
bool TakeListedEntry(int dirFd, const char* name, struct statx& stx, bool* withoutXattrs = nullptr);
void ForgetListedEntry();
