#include "platform/posix/closest_posix_acl.h"

#include "platform/posix/file_rights.h"
#include "platform/posix/unix_sid.h"

namespace {

constexpr WORD kNone = 0;  // no POSIX entry: the SID means nothing in this ACL

struct Target {
  WORD tag;
  DWORD id;
};

// What one ACL is given while the entries are taken in order.
struct Grants {
  PosixAcl acl;              // perm: what was given
  std::vector<WORD> decided;  // per entry of acl: the permissions an earlier entry decided
  WORD everyoneDenied = 0;
};

// The POSIX entry a SID names in the access ACL (inheritable false) or the
// default ACL; false for an unknown SID.
bool IsSid(const void* sid, const BYTE* wellKnown) {
  return EqualSid(const_cast<void*>(sid), const_cast<BYTE*>(wellKnown));
}

bool TargetOf(const void* sid, DWORD uid, DWORD gid, bool inheritable, Target& target) {
  DWORD kind, id;
  if (IsSid(sid, kEveryoneSid)) target = {ACL_OTHER, 0};
  else if (IsSid(sid, kCreatorOwnerSid)) target = {inheritable ? (WORD)ACL_USER_OBJ : kNone, 0};
  else if (IsSid(sid, kCreatorGroupSid)) target = {inheritable ? (WORD)ACL_GROUP_OBJ : kNone, 0};
  else if (!ReadUnixSid(sid, kind, id)) return false;
  else if (kind == kUnixUserSid) target = {(WORD)(!inheritable && id == uid ? ACL_USER_OBJ : ACL_USER), id};
  else target = {(WORD)(!inheritable && id == gid ? ACL_GROUP_OBJ : ACL_GROUP), id};
  if (target.tag != ACL_USER && target.tag != ACL_GROUP) target.id = 0;
  return true;
}

size_t EntryOf(Grants& grants, Target target) {
  for (size_t i = 0; i < grants.acl.size(); i++)
    if (grants.acl[i].tag == target.tag && grants.acl[i].id == target.id) return i;
  grants.acl.push_back({target.tag, 0, target.id});
  grants.decided.push_back(0);
  return grants.acl.size() - 1;
}

void Apply(Grants& grants, const AceEntry& ace, Target target) {
  if (target.tag == kNone) return;
  WORD perms = PermsOfRights(ace.mask);
  size_t i = EntryOf(grants, target);
  WORD fresh = perms & ~grants.decided[i];
  grants.decided[i] |= perms;
  if (ace.type == ACCESS_ALLOWED_ACE_TYPE) grants.acl[i].perm |= fresh & ~grants.everyoneDenied;
  else if (target.tag == ACL_OTHER) grants.everyoneDenied |= perms;
}

// The owner, owning group and other entries an ACL must have.
void Complete(Grants& grants) {
  for (WORD tag : {ACL_USER_OBJ, ACL_GROUP_OBJ, ACL_OTHER}) EntryOf(grants, {tag, 0});
}

}  // namespace

DWORD ClosestPosixAcls(const std::vector<AceEntry>& entries, DWORD uid, DWORD gid, bool isDirectory,
                       PosixAcl& access, PosixAcl& defaults) {
  Grants now, inherited;
  for (const AceEntry& ace : entries) {
    if (ace.type != ACCESS_ALLOWED_ACE_TYPE && ace.type != ACCESS_DENIED_ACE_TYPE) continue;
    Target target;
    if (!TargetOf(ace.sid, uid, gid, false, target)) return ERROR_NONE_MAPPED;
    if (!(ace.flags & INHERIT_ONLY_ACE)) Apply(now, ace, target);
    if (isDirectory && (ace.flags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE))) {
      TargetOf(ace.sid, uid, gid, true, target);
      Apply(inherited, ace, target);
    }
  }
  Complete(now);
  if (!inherited.acl.empty()) Complete(inherited);
  access.swap(now.acl);
  defaults.swap(inherited.acl);
  return 0;
}
