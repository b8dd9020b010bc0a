// What each command does with an entry that passed the patterns and the
// criteria, and with a target subdirectory before the walk descends.
#pragma once

#include "platform/win32.h"

// Hands the entry (whose FileValues are filled) to the handler of
// CurrentCommand. True when the handler flagged an error for the entry.
bool HandleEntry(const WIN32_FIND_DATAA* entry);

// cop, upd, mir: makes TargetPath (already extended by the subdirectory's
// name) ready before the walk descends into the source subdirectory `name`.
// False when the walk must not descend.
bool PrepareTargetDirectory(const char* name, DWORD attributes);

// del with /E: removes `path`, a directory whose walk has ended.
void RemoveWalkedDirectory(const char* path);

// The handlers, one per command.
bool ShowEntry(void);
bool DeleteEntry(const WIN32_FIND_DATAA* entry);
bool SetEntry(const WIN32_FIND_DATAA* entry);
bool CopyEntry(const WIN32_FIND_DATAA* entry);
