#include "platform/posix/well_known_sids.h"

#include "platform/posix/name_match.h"
#include "platform/posix/nt_acl.h"

namespace {

constexpr BYTE kSystemSid[12] = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};                        // S-1-5-18
constexpr BYTE kAdministratorsSid[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};  // S-1-5-32-544
static_assert(sizeof kAdministratorsSid == kWellKnownSidSize);

constexpr WellKnownAccount kWellKnown[] = {
    {"Everyone", "", SidTypeWellKnownGroup, kEveryoneSid, sizeof kEveryoneSid},
    {"CREATOR OWNER", "", SidTypeWellKnownGroup, kCreatorOwnerSid, sizeof kCreatorOwnerSid},
    {"CREATOR GROUP", "", SidTypeWellKnownGroup, kCreatorGroupSid, sizeof kCreatorGroupSid},
    {"SYSTEM", "NT AUTHORITY", SidTypeWellKnownGroup, kSystemSid, sizeof kSystemSid},
    {"Administrators", "BUILTIN", SidTypeAlias, kAdministratorsSid, sizeof kAdministratorsSid},
};

}  // namespace

const WellKnownAccount* FindWellKnownSid(PSID sid) {
  for (const WellKnownAccount& account : kWellKnown)
    if (EqualSid(sid, const_cast<BYTE*>(account.sid))) return &account;
  return nullptr;
}

const WellKnownAccount* FindWellKnownName(const char* domain, const char* name) {
  for (const WellKnownAccount& account : kWellKnown) {
    if (!NamesEqualIgnoringCase(name, account.name)) continue;
    if (!domain || NamesEqualIgnoringCase(domain, account.domain)) return &account;
  }
  return nullptr;
}
