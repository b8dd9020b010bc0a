// Which per-file data a run must read: owners, access-control lists, the
// stored attributes.
#include "driver/entry.h"
#include "driver/load_format.h"
#include "driver/param_tables.h"
#include "driver/settings.h"
#include "platform/layer_hints.h"
#include "sources/pattern_match.h"

namespace {

// A loose test: any '~' before the letter counts; a false positive only
// costs an unneeded lookup.
bool Mentions(const char* text, const char* pattern) { return MatchPattern(text, pattern, true); }

bool CriterionGiven(char letter) { return FindCriterion(letter)->status == PS_GIVEN; }

}  // namespace

void WorkOutPerFileNeeds(void) {
  LoadFormat(FileFormat, LineBuffer);
  NeedOwner = NewOwner[0] || DirPermissions[0] || FilePermissions[0] || OwnerFormat[0] ||
              Mentions(LineBuffer, "*~*o*") || Mentions(LineBuffer, "*~*x*") ||
              Mentions(LineBuffer, "*~*u*") || OwnerPattern[0];
  NeedSecurity = DirPermissions[0] || FilePermissions[0] || AceFormat[0] || GrantsPattern[0] ||
                 AceCountRange[0] || Mentions(LineBuffer, "*~*g*") || Mentions(LineBuffer, "*~*T*");
  // Hidden, system, archive and a stored creation time: the attributes and the creation time.
  ReadStoredAttributes(CurrentCommand != CMD_SHO || CriterionGiven('a') || CriterionGiven('C') ||
                       Mentions(LineBuffer, "*~*a*") || Mentions(LineBuffer, "*~*C*"));
  LoadFormat(TotalsFormat, LineBuffer);
  if (Mentions(LineBuffer, "*~*o*")) NeedOwner = 1;
}
