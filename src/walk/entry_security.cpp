#include "walk/entry_security.h"

#include "base/bounded_text.h"
#include "base/settings.h"
#include "security/accounts.h"
#include "security/acl_text.h"
#include "walk/file_values.h"

static_assert(OwnerPartCapacity == AccountPartCapacity, "owner parts hold what the lookup names");

void ReadEntrySecurity(const char* server, const char* fullName) {
  EntryValueStore& v = EntryValues;
  if (NeedOwner) {
    GetOwnerText(server, fullName, v.OwnerUser, v.OwnerDomain);
    CopyText(v.OwnerText, v.OwnerDomain);
    AppendText(v.OwnerText, "\\");
    AppendText(v.OwnerText, v.OwnerUser);
  }
  if (NeedSecurity) v.AceCount = ReadAclText(server, fullName, v.AclText, sizeof v.AclText);
}
