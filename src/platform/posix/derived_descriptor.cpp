#include "platform/posix/derived_descriptor.h"

#include <array>

#include "platform/posix/file_rights.h"
#include "platform/posix/nt_acl.h"
#include "platform/posix/unix_sid.h"

namespace {

using UnixSid = std::array<BYTE, kUnixSidSize>;

constexpr BYTE kInheritOnly = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE;
// The order of the entries in the DACL.
constexpr WORD kTagOrder[] = {ACL_USER_OBJ, ACL_USER, ACL_GROUP_OBJ, ACL_GROUP, ACL_OTHER};

struct DaclBuild {
  std::vector<AceEntry> entries;
  std::vector<UnixSid> sids;  // reserved up front: the entries point into it
};

const void* UnixSidOf(DaclBuild& build, DWORD kind, DWORD id) {
  build.sids.emplace_back();
  WriteUnixSid(build.sids.back().data(), kind, id);
  return build.sids.back().data();
}

// The SID an entry of the access ACL (inheritable false) or default ACL names.
const void* SidOf(DaclBuild& build, const PosixAclEntry& entry, const PosixSecurity& security, bool inheritable) {
  switch (entry.tag) {
    case ACL_USER_OBJ: return inheritable ? kCreatorOwnerSid : UnixSidOf(build, kUnixUserSid, security.uid);
    case ACL_USER: return UnixSidOf(build, kUnixUserSid, entry.id);
    case ACL_GROUP_OBJ: return inheritable ? kCreatorGroupSid : UnixSidOf(build, kUnixGroupSid, security.gid);
    case ACL_GROUP: return UnixSidOf(build, kUnixGroupSid, entry.id);
    default: return kEveryoneSid;
  }
}

void AddEntries(DaclBuild& build, const PosixAcl& acl, const PosixSecurity& security, bool inheritable) {
  unsigned mask = 7;
  for (const PosixAclEntry& entry : acl)
    if (entry.tag == ACL_MASK) mask = entry.perm;
  for (WORD tag : kTagOrder) {
    bool limited = tag == ACL_USER || tag == ACL_GROUP_OBJ || tag == ACL_GROUP;
    for (const PosixAclEntry& entry : acl) {
      unsigned perms = entry.perm & (limited ? mask : 7);
      if (entry.tag != tag || perms == 0) continue;
      build.entries.push_back({ACCESS_ALLOWED_ACE_TYPE, (BYTE)(inheritable ? kInheritOnly : 0),
                               RightsOfPerms(perms), SidOf(build, entry, security, inheritable)});
    }
  }
}

// The access ACL the mode bits stand for.
PosixAcl AclOfMode(DWORD mode) {
  return {{ACL_USER_OBJ, (WORD)((mode >> 6) & 7), 0},
          {ACL_GROUP_OBJ, (WORD)((mode >> 3) & 7), 0},
          {ACL_OTHER, (WORD)(mode & 7), 0}};
}

}  // namespace

int ReadPosixSecurity(const std::string& path, const struct statx& stx, PosixSecurity& security) {
  security.uid = stx.stx_uid, security.gid = stx.stx_gid, security.mode = stx.stx_mode;
  security.defaultBytes.clear();
  if (int err = ReadXattr(path, kAccessAclXattr, security.accessBytes)) return err;
  if (S_ISDIR(stx.stx_mode)) {
    if (int err = ReadXattr(path, kDefaultAclXattr, security.defaultBytes)) return err;
  }
  security.hasAccessAcl = ParsePosixAcl(security.accessBytes, security.access);
  if (!ParsePosixAcl(security.defaultBytes, security.defaults)) security.defaults.clear();
  return 0;
}

std::string DeriveDacl(const PosixSecurity& security) {
  DaclBuild build;
  build.sids.reserve(security.access.size() + security.defaults.size() + 3);
  AddEntries(build, security.hasAccessAcl ? security.access : AclOfMode(security.mode), security, false);
  AddEntries(build, security.defaults, security, true);
  return AclOfEntries(build.entries);
}
