// The DACL of a file as its owner, group, mode bits and POSIX ACLs give it.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/posix/posix_acl.h"

struct PosixSecurity {
  DWORD uid, gid, mode;     // mode: st_mode
  std::string accessBytes;  // the ACL attributes as read (empty: none)
  std::string defaultBytes;
  bool hasAccessAcl;        // access holds the access ACL; without one the mode bits stand for it
  PosixAcl access;
  PosixAcl defaults;        // a directory's default ACL, empty when none
};

// Reads the security of the entry at path whose statx is stx: the access ACL,
// and a directory's default ACL. 0, or the errno of a read refused.
int ReadPosixSecurity(const std::string& path, const struct statx& stx, PosixSecurity& security);

// In this order: the owner (Unix User), named users, the owning group (Unix
// Group), named groups (these three limited by the mask), others (Everyone);
// an entry with no permission gives no ACE. Then the default ACL as
// inherit-only entries with object and container inherit, in the same order,
// the default owner as CREATOR OWNER and the default owning group as
// CREATOR GROUP.
std::string DeriveDacl(const PosixSecurity& security);
