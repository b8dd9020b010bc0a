// Accounts and owners: security identifiers named as domain\user and back,
// and the owner of a file as text. Every lookup is made on a system name:
// empty for a local file, the server of a UNC location otherwise.
#pragma once

#include <cstddef>

constexpr int AccountPartCapacity = 24;  // domain or user part, 23 characters and the terminator
constexpr int SidBufferSize = 1024;      // a SID produced by a name lookup

// The owner of `path` as its user and domain parts (AccountPartCapacity
// each). Never fails: a part that cannot be named holds "AccessDenied",
// "AccountUnknown", "AccountDeleted" or "ERROR", after the message saying why.
void GetOwnerText(const char* systemName, const char* path, char* user, char* domain);

// Resolves `user` or `domain\user` into `sid` (SidBufferSize bytes). False
// after its "ASEC-ERROR, ..." message.
bool NameToSid(const char* systemName, const char* accountName, void* sid);

// Names `sid` as domain and name parts (AccountPartCapacity each). On
// failure the name part holds a fallback word.
bool SidToName(const char* systemName, void* sid, char* domain, char* name);
