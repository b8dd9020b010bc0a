// What keltro tells its file-system layer beyond the Win32 calls. Windows
// reads every value of an entry anyway, so there these do nothing.
#pragma once

#ifdef _WIN32
inline bool ReadStoredAttributes(bool) { return true; }
inline bool ListNamesOnly(bool) { return false; }
inline bool KeepListedEntries(bool) { return false; }
inline bool ReadSharesAhead(bool) { return false; }
inline bool ListTimes(bool) { return true; }
inline bool ListDotValues(bool) { return true; }
inline bool ListDirectoriesByType(bool) { return false; }
#else
// Whether listings and attribute reads take hidden, system, archive and a
// stored creation time from the entries' extended attributes (the default).
// A run that uses none of them turns this off: each entry then costs no
// extended-attribute call, and those values are the ones an entry without
// stored attributes has. Returns the setting it replaces.
bool ReadStoredAttributes(bool read);
// Whether listings started from now on (FindFirstFileA with a wildcard) give
// each entry's name alone, every other value zero, with no call per entry:
// for a caller that reads the values of the few entries it acts on by their
// own lookup. Off unless turned on; returns the setting it replaces.
bool ListNamesOnly(bool namesOnly);
// Whether a listing of the current directory keeps the values of the entry
// it gave last for the change of that entry that follows at once (on by
// default). A run that changes nothing turns this off; returns the setting
// it replaces.
bool KeepListedEntries(bool keep);
// Whether listings of share directories are read ahead by other connections,
// in the order a walk of every subdirectory takes, while the walk works on
// the ones before (off unless turned on): for a run that changes nothing and
// walks subdirectories. Returns the setting it replaces.
bool ReadSharesAhead(bool readAhead);
// Whether listings started from now on give each entry's three times (on by
// default). A caller that reads none of them turns this off: its entries
// then carry zero times, and no time is converted. Returns the setting it
// replaces.
bool ListTimes(bool times);
// Whether listings started from now on give `.` and `..` the values of the
// listed directory (on by default), read with one call. A caller that skips
// both by name turns this off: they then carry the directory attribute
// alone, at no call. Returns the setting it replaces.
bool ListDotValues(bool values);
// Whether listings started from now on give an entry that the directory
// read reports as a directory without a call of its own (off by default):
// it then carries the directory attribute alone, every other value zero.
// For a caller that reads of a directory entry only its name and that it is
// one. Entries of an unknown type still cost their call. Returns the setting
// it replaces.
bool ListDirectoriesByType(bool byType);
#endif
