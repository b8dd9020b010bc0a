// POSIX ACLs as the kernel keeps them: the extended attributes
// system.posix_acl_access and system.posix_acl_default, in the kernel's
// xattr form (linux/posix_acl_xattr.h: a 32-bit version 2, then per entry a
// 16-bit tag, 16-bit permissions and 32-bit id, little-endian). They are read
// and written through the layer's system-call table by path, never
// following a link, so an entry of any kind needs no open.
#pragma once

#include <linux/posix_acl.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

constexpr const char* kAccessAclXattr = "system.posix_acl_access";
constexpr const char* kDefaultAclXattr = "system.posix_acl_default";

struct PosixAclEntry {
  WORD tag;   // ACL_USER_OBJ, ACL_USER, ACL_GROUP_OBJ, ACL_GROUP, ACL_MASK, ACL_OTHER
  WORD perm;  // r 4, w 2, x 1
  DWORD id;   // uid or gid of ACL_USER and ACL_GROUP entries
};
using PosixAcl = std::vector<PosixAclEntry>;

// Reads extended attribute name of path (not following a link) into value:
// 0, or the errno. An attribute the entry lacks, or its file system does
// not keep, is read as empty.
int ReadXattr(const std::string& path, const char* name, std::string& value);

// The entries of an ACL in xattr form; false when it is not one.
bool ParsePosixAcl(std::string_view bytes, PosixAcl& acl);

// Writes acl as attribute name of path: entries of one tag and id are
// merged, the entries put in the kernel's order and the mask computed (when
// there are named entries). An empty acl removes the attribute. 0 or errno.
int WritePosixAcl(const std::string& path, const char* name, PosixAcl acl);

// The mode's permission bits an ACL of the owner, owning group and other
// entries stands for; -1 for an ACL with named entries.
int PermissionBitsOf(const PosixAcl& acl);

// Removes attribute name of path; one that is not there is no failure.
int RemoveXattr(const std::string& path, const char* name);
