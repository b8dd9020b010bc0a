// Owner and access-control list of the entry being handled: the values u, x,
// o, g and T of FileValues.
#pragma once

// Fills the owner texts of EntryValues when NeedOwner is on and the ACL text
// and ACE count when NeedSecurity is on, for the entry `fullName` on `server`
// (empty for local drives).
//
// Owners and ACLs are not read yet: until the security lookups exist this
// leaves the owner texts and the ACL text empty and the ACE count 0, so every
// entry falls into the one owner row with an empty name and -T sees 0 entries.
void ReadEntrySecurity(const char* server, const char* fullName);
