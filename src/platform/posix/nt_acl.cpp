#include "platform/posix/nt_acl.h"

#include <cstring>

namespace {

constexpr size_t kAceFixed = sizeof(ACE_HEADER) + sizeof(DWORD);  // header, mask; then the SID
constexpr BYTE kSidRevision = 1;
constexpr BYTE kMaxSubAuthorities = 15;

}  // namespace

const BYTE kEveryoneSid[12] = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
const BYTE kCreatorOwnerSid[12] = {1, 1, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0};
const BYTE kCreatorGroupSid[12] = {1, 1, 0, 0, 0, 0, 0, 3, 1, 0, 0, 0};

DWORD SidLength(const void* sid) { return 8 + 4 * static_cast<const BYTE*>(sid)[1]; }

bool SameSid(const void* a, const void* b) {
  return SidLength(a) == SidLength(b) && memcmp(a, b, SidLength(a)) == 0;
}

std::string BuildAcl(const std::vector<AceEntry>& entries) {
  std::string acl(sizeof(ACL), '\0');
  for (const AceEntry& entry : entries) {
    DWORD sidLength = SidLength(entry.sid);
    ACE_HEADER header{entry.type, entry.flags, (WORD)(kAceFixed + sidLength)};
    acl.append(reinterpret_cast<const char*>(&header), sizeof header);
    acl.append(reinterpret_cast<const char*>(&entry.mask), sizeof entry.mask);
    acl.append(static_cast<const char*>(entry.sid), sidLength);
  }
  ACL header{ACL_REVISION, 0, (WORD)acl.size(), (WORD)entries.size(), 0};
  memcpy(acl.data(), &header, sizeof header);
  return acl;
}

bool ReadAcl(const ACL* acl, std::vector<AceEntry>& entries) {
  entries.clear();
  if (acl->AclSize < sizeof(ACL)) return false;
  const BYTE* base = reinterpret_cast<const BYTE*>(acl);
  size_t at = sizeof(ACL);
  for (WORD i = 0; i < acl->AceCount; i++) {
    ACE_HEADER header;
    if (at + kAceFixed > acl->AclSize) return false;
    memcpy(&header, base + at, sizeof header);
    if (header.AceSize < kAceFixed || at + header.AceSize > acl->AclSize) return false;
    const BYTE* sid = nullptr;
    if (header.AceType == ACCESS_ALLOWED_ACE_TYPE || header.AceType == ACCESS_DENIED_ACE_TYPE) {
      sid = base + at + kAceFixed;
      if (header.AceSize < kAceFixed + 8 || sid[0] != kSidRevision || sid[1] > kMaxSubAuthorities ||
          kAceFixed + SidLength(sid) > header.AceSize)
        return false;
    }
    DWORD mask;
    memcpy(&mask, base + at + sizeof header, sizeof mask);
    entries.push_back({header.AceType, header.AceFlags, mask, sid});
    at += header.AceSize;
  }
  return true;
}
