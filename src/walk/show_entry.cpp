// The sho handler: the entry's ~F line, then one ~g line per access-control entry.
#include <cstring>

#include "base/settings.h"
#include "output/console.h"
#include "base/bounded_text.h"
#include "walk/entry_handling.h"
#include "walk/file_values.h"

namespace {

// The parts of one access-control entry "domain\user:rights".
struct AceParts {
  char owner[OwnerTextCapacity];  // o: domain\user
  char domain[OwnerTextCapacity]; // x
  char user[OwnerTextCapacity];   // u
  char rights[AclTextCapacity];   // g
};

// Splits the entry of `length` characters at `text`.
void SplitAce(const char* text, size_t length, AceParts* ace) {
  size_t colon = 0;
  while (colon < length && text[colon] != ':') colon++;
  CopyTextN(ace->owner, sizeof ace->owner, text, colon);
  size_t slash = strcspn(ace->owner, "\\");
  CopyTextN(ace->domain, sizeof ace->domain, ace->owner, slash);
  CopyText(ace->user, sizeof ace->user, ace->owner[slash] ? ace->owner + slash + 1 : "");
  size_t rightsStart = colon < length ? colon + 1 : length;
  CopyTextN(ace->rights, sizeof ace->rights, text + rightsStart, length - rightsStart);
}

void PrintAceLine(const AceParts& ace) {
  const EntryValueStore& v = EntryValues;
  const PlaceholderEntry table[] = {
      {PK_TEXT, 'o', ace.owner},
      {PK_TEXT, 'x', ace.domain},
      {PK_TEXT, 'u', ace.user},
      {PK_TEXT, 'g', ace.rights},
      {PK_TEXT, 'N', v.Name},
      {PK_TEXT, 'n', v.NameWithoutExt},
      {PK_TEXT, 'd', v.Directory},
      {PK_TEXT, 'f', v.FullName},
      {PK_TEXT, 'e', v.Location},
      {PK_TEXT, 'D', v.Domain},
      {PK_TEXT, 'S', v.Server},
      {PK_END, 0, nullptr},
  };
  PrintListingLine(AceFormat, table);
}

// One ~g line per entry of the ACL text. An account name may hold spaces
// (Unix User\alice), so an entry runs to its colon and from there to the
// next space.
void PrintAceLines(const char* aclText) {
  const char* p = aclText;
  while (*p) {
    while (*p == ' ') p++;
    if (!*p) break;
    size_t colon = strcspn(p, ":");
    size_t length = colon + strcspn(p + colon, " ");
    AceParts ace;
    SplitAce(p, length, &ace);
    PrintAceLine(ace);
    p += length;
  }
}

}  // namespace

bool ShowEntry(void) {
  if (FileFormat[0]) PrintListingLine(FileFormat, FileValues);
  if (AceFormat[0] && NeedSecurity && EntryValues.AclText[0]) PrintAceLines(EntryValues.AclText);
  return false;
}
