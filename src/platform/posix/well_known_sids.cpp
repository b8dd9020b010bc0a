#include "platform/posix/well_known_sids.h"

#include <cstring>

#include "platform/posix/name_match.h"

namespace {

constexpr BYTE kSidRevision = 1;

constexpr WellKnownAccount kWellKnown[] = {
    {"Everyone", "", SidTypeWellKnownGroup, 1, 1, {0, 0}},
    {"CREATOR OWNER", "", SidTypeWellKnownGroup, 3, 1, {0, 0}},
    {"CREATOR GROUP", "", SidTypeWellKnownGroup, 3, 1, {1, 0}},
    {"SYSTEM", "NT AUTHORITY", SidTypeWellKnownGroup, 5, 1, {18, 0}},
    {"Administrators", "BUILTIN", SidTypeAlias, 5, 2, {32, 544}},
};

}  // namespace

void WriteWellKnownSid(const WellKnownAccount& account, void* sid) {
  BYTE* bytes = static_cast<BYTE*>(sid);
  bytes[0] = kSidRevision;
  bytes[1] = account.subAuthorityCount;
  memset(bytes + 2, 0, 5);
  bytes[7] = account.authority;
  memcpy(bytes + 8, account.subAuthorities, account.subAuthorityCount * sizeof(DWORD));
}

const WellKnownAccount* FindWellKnownSid(PSID sid) {
  BYTE known[kWellKnownSidSize];
  for (const WellKnownAccount& account : kWellKnown) {
    WriteWellKnownSid(account, known);
    if (EqualSid(sid, known)) return &account;
  }
  return nullptr;
}

const WellKnownAccount* FindWellKnownName(const char* domain, const char* name) {
  for (const WellKnownAccount& account : kWellKnown) {
    if (!NamesEqualIgnoringCase(name, account.name)) continue;
    if (!domain || NamesEqualIgnoringCase(domain, account.domain)) return &account;
  }
  return nullptr;
}
