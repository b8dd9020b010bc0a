// The well-known SIDs keltro names, with Windows' names and domains:
// Everyone S-1-1-0, CREATOR OWNER S-1-3-0 and CREATOR GROUP S-1-3-1 (all
// three with an empty domain), NT AUTHORITY\SYSTEM S-1-5-18 and
// BUILTIN\Administrators S-1-5-32-544.
#pragma once

#include "platform/win32.h"

constexpr DWORD kWellKnownSidSize = 16;  // the longest of them, two sub-authorities

struct WellKnownAccount {
  const char* name;
  const char* domain;
  SID_NAME_USE use;
  const BYTE* sid;
  DWORD sidSize;
};

// The account whose SID is sid; null for every other SID.
const WellKnownAccount* FindWellKnownSid(PSID sid);

// The account named name, ignoring case; unless domain is null, its domain
// must equal domain ignoring case (an empty one for Everyone and the CREATORs).
const WellKnownAccount* FindWellKnownName(const char* domain, const char* name);
