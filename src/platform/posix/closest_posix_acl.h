// The POSIX ACLs closest to a DACL, for SetFileSecurityA.
#pragma once

#include <vector>

#include "platform/posix/nt_acl.h"
#include "platform/posix/posix_acl.h"

// For an entry owned by uid and gid. The entries are taken in order, each
// deciding the permissions (PermsOfRights) that no earlier entry for its
// account decided: an allowed entry gives them, a denied one keeps them
// from being given; a denied Everyone entry keeps them from every account
// given later. Everyone is the other entry; Unix User and Unix Group are the
// owner and owning group when they are the entry's, else named entries.
// Entries with object or container inherit go to a directory's default ACL
// as well (inherit-only ones only there; a file has no default ACL and
// ignores them), where CREATOR OWNER and CREATOR GROUP are the owner and
// owning group and every account is named. CREATOR OWNER and CREATOR GROUP
// in entries that are not inherited mean nothing; other entry types are
// ignored. The owner, owning group and other entries are always there (with
// no permission when no entry gives one); the default ACL is empty when no
// entry is inherited. 0, or 1332 for a SID of no Unix account and none of
// Everyone, CREATOR OWNER and CREATOR GROUP.
DWORD ClosestPosixAcls(const std::vector<AceEntry>& entries, DWORD uid, DWORD gid, bool isDirectory,
                       PosixAcl& access, PosixAcl& defaults);
