#include "walk/entry_security.h"

#include "base/settings.h"
#include "walk/file_values.h"

void ReadEntrySecurity(const char* server, const char* fullName) {
  EntryValueStore& v = EntryValues;
  if (NeedOwner) {
    // The owner lookup (domain and user of the file's owner) plugs in here.
    v.OwnerUser[0] = '\0';
    v.OwnerDomain[0] = '\0';
    v.OwnerText[0] = '\0';
  }
  if (NeedSecurity) {
    // The ACL reader (ACL text and number of entries) plugs in here.
    v.AclText[0] = '\0';
    v.AceCount = 0;
  }
}
