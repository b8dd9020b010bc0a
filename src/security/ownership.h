// Ownership and privileges: the take-ownership and restore privileges of the
// run, and the take-over of one file or directory.
#pragma once

// Enables the two privileges and builds the descriptor a take-over applies
// (the token's owner, a null DACL). Once it has succeeded it does nothing;
// after a failure (its message printed) the next call starts again.
bool InitOwnership(void);

// Enables one privilege, by name, in the process token.
bool SetPriv(const char* privilegeName);

// Makes the token's owner the owner of `path` and gives it a null DACL, then
// prints "ASEC-INFO, took ownership of ...". False after its error message.
bool TakeOwnership(const char* path);

// Makes the account `ownerName` (resolved on `systemName`) the owner of
// `path`. The resolution is kept while system and owner name stay the same.
bool SetOwnerByName(const char* systemName, const char* path, const char* ownerName);
