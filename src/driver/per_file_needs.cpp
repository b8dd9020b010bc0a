// Which per-file data a run must read: owners, access-control lists.
#include "driver/entry.h"
#include "output/load_format.h"
#include "match/pattern_match.h"

namespace {

// A loose test: any '~' before the letter counts; a false positive only
// costs an unneeded lookup.
bool Mentions(const char* text, const char* pattern) { return MatchPattern(text, pattern, true); }

}  // namespace

void WorkOutPerFileNeeds(void) {
  LoadFormat(FileFormat, LineBuffer);
  NeedOwner = NewOwner[0] || DirPermissions[0] || FilePermissions[0] || OwnerFormat[0] ||
              Mentions(LineBuffer, "*~*o*") || Mentions(LineBuffer, "*~*x*") ||
              Mentions(LineBuffer, "*~*u*") || OwnerPattern[0];
  NeedSecurity = DirPermissions[0] || FilePermissions[0] || AceFormat[0] || GrantsPattern[0] ||
                 AceCountRange[0] || Mentions(LineBuffer, "*~*g*") || Mentions(LineBuffer, "*~*T*");
  LoadFormat(TotalsFormat, LineBuffer);
  if (Mentions(LineBuffer, "*~*o*")) NeedOwner = 1;
}
