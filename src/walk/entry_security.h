// Owner and access-control list of the entry being handled: the values u, x,
// o, g and T of FileValues.
#pragma once

// Fills the owner texts of EntryValues when NeedOwner is on and the ACL text
// and ACE count when NeedSecurity is on, for the entry `fullName` on `server`
// (empty for local drives). An owner that cannot be named shows its
// fallback words (ERROR\AccessDenied, ERROR\AccountUnknown, ...); an ACL
// that cannot be read gives the empty text and the count 0.
void ReadEntrySecurity(const char* server, const char* fullName);
