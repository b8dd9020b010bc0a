// Access-control lists as plain entries, built and read through the ACL
// primitives, and the well-known SIDs the layer maps POSIX entries to.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

constexpr BYTE kEveryoneSid[12] = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};      // S-1-1-0
constexpr BYTE kCreatorOwnerSid[12] = {1, 1, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0};  // S-1-3-0
constexpr BYTE kCreatorGroupSid[12] = {1, 1, 0, 0, 0, 0, 0, 3, 1, 0, 0, 0};  // S-1-3-1

struct AceEntry {
  BYTE type;        // ACCESS_ALLOWED_ACE_TYPE, ACCESS_DENIED_ACE_TYPE, ...
  BYTE flags;       // OBJECT_INHERIT_ACE, ...
  DWORD mask;
  const void* sid;  // into the ACL read (null for types other than allowed and denied), or kept by the builder
};

// The ACL (revision ACL_REVISION) holding entries in order.
std::string AclOfEntries(const std::vector<AceEntry>& entries);

// The entries of acl, checked to lie within its size, allowed and denied
// ones to hold a valid SID that fits the entry; false for a malformed list.
bool EntriesOfAcl(const ACL* acl, std::vector<AceEntry>& entries);
