// Binary security identifiers of Linux accounts, as Samba maps them: user
// uid is S-1-22-1-uid, group gid is S-1-22-2-gid. The layout is Windows'
// (revision, count of sub-authorities, a 48-bit big-endian authority, then
// the sub-authorities as 32-bit numbers in the machine's order).
#pragma once

#include "platform/win32.h"

constexpr DWORD kUnixUserSid = 1;
constexpr DWORD kUnixGroupSid = 2;
constexpr DWORD kUnixSidSize = 16;

// Writes S-1-22-kind-id into sid (kUnixSidSize bytes).
void WriteUnixSid(void* sid, DWORD kind, DWORD id);

// The kind (kUnixUserSid or kUnixGroupSid) and id of a SID of that form;
// false for every other SID.
bool ReadUnixSid(const void* sid, DWORD& kind, DWORD& id);
