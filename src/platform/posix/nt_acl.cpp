#include "platform/posix/nt_acl.h"

#include <cstring>

namespace {

constexpr size_t kAceFixed = sizeof(ACE_HEADER) + sizeof(DWORD);  // header, mask; then the SID
constexpr size_t kSidFixed = 8;                                   // revision, count, authority

}  // namespace

std::string AclOfEntries(const std::vector<AceEntry>& entries) {
  std::string aces;
  for (const AceEntry& entry : entries) {
    DWORD sidLength = GetLengthSid(const_cast<void*>(entry.sid));
    ACE_HEADER header{entry.type, entry.flags, (WORD)(kAceFixed + sidLength)};
    aces.append(reinterpret_cast<const char*>(&header), sizeof header);
    aces.append(reinterpret_cast<const char*>(&entry.mask), sizeof entry.mask);
    aces.append(static_cast<const char*>(entry.sid), sidLength);
  }
  std::string acl(sizeof(ACL) + aces.size(), '\0');
  PACL list = reinterpret_cast<PACL>(acl.data());
  InitializeAcl(list, acl.size(), ACL_REVISION);
  if (!aces.empty()) AddAce(list, ACL_REVISION, MAXDWORD, aces.data(), aces.size());
  return acl;
}

bool EntriesOfAcl(const ACL* acl, std::vector<AceEntry>& entries) {
  entries.clear();
  PACL list = const_cast<PACL>(acl);
  for (DWORD i = 0; i < acl->AceCount; i++) {
    void* ace;
    if (!GetAce(list, i, &ace)) return false;
    ACE_HEADER header;
    memcpy(&header, ace, sizeof header);
    BYTE* sid = nullptr;
    if (header.AceType == ACCESS_ALLOWED_ACE_TYPE || header.AceType == ACCESS_DENIED_ACE_TYPE) {
      sid = static_cast<BYTE*>(ace) + kAceFixed;
      if (header.AceSize < kAceFixed + kSidFixed || !IsValidSid(sid) || kAceFixed + GetLengthSid(sid) > header.AceSize)
        return false;
    }
    DWORD mask;
    memcpy(&mask, static_cast<BYTE*>(ace) + sizeof header, sizeof mask);
    entries.push_back({header.AceType, header.AceFlags, mask, sid});
  }
  return true;
}
