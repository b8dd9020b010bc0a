// The last entry a listing of the current directory gave, with its statx,
// kept for the change that follows it at once (del deletes each file the walk
// has just listed): that change's lookup takes it instead of asking the
// kernel again. It answers one lookup of the same descriptor and name, made
// within a few milliseconds; a change of directory forgets it.
#pragma once

#include <sys/stat.h>

#include <string>

void NoteListedEntry(int dirFd, const char* name, const struct statx& stx);
bool TakeListedEntry(int dirFd, const std::string& name, struct statx& stx);
void ForgetListedEntry();
