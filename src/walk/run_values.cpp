// The values a run derives from its parameters, and which per-file data it
// must read: owners, access-control lists, times, the stored attributes.
#include "walk/run_values.h"

#include "base/param_tables.h"
#include "base/settings.h"
#include "match/pattern_match.h"
#include "output/format_output.h"
#include "output/load_format.h"
#include "output/value_text.h"
#include "platform/layer_hints.h"

namespace {

// A loose test: any '~' before the letter counts; a false positive only
// costs an unneeded lookup.
bool Mentions(const char* text, const char* pattern) { return MatchPattern(text, pattern, true); }

void WorkOutPerFileNeeds(void) {
  LoadFormat(FileFormat, LineBuffer);
  // Owners and lists cost lookups and print their failures: only a real
  // placeholder counts.
  NeedOwner = NewOwner[0] || DirPermissions[0] || FilePermissions[0] || OwnerFormat[0] ||
              FormatMentions(LineBuffer, 'o') || FormatMentions(LineBuffer, 'x') ||
              FormatMentions(LineBuffer, 'u') || OwnerPattern[0];
  NeedSecurity = DirPermissions[0] || FilePermissions[0] || AceFormat[0] || GrantsPattern[0] ||
                 AceCountRange[0] || FormatMentions(LineBuffer, 'g') || FormatMentions(LineBuffer, 'T');
  // The copying and setting commands compare or keep times; sho and del
  // convert only those a criterion or the format asks for.
  bool commandUsesTimes = CurrentCommand != CMD_SHO && CurrentCommand != CMD_DEL;
  for (int t = 0; RunTimeLetters[t]; t++) {
    char letter = RunTimeLetters[t];
    const char pattern[] = {'*', '~', '*', letter, '*', '\0'};
    Run.TimeNeeded[t] = commandUsesTimes || FindCriterion(letter)->status == PS_GIVEN || Mentions(LineBuffer, pattern);
  }
  // Hidden, system, archive and a stored creation time: the attributes and the
  // creation time. del needs only what the mode bits tell (directory, read-only).
  bool changesAttributes = CurrentCommand != CMD_SHO && CurrentCommand != CMD_DEL;
  ReadStoredAttributes(changesAttributes || FindCriterion('a')->status == PS_GIVEN ||
                       FindCriterion('C')->status == PS_GIVEN || Mentions(LineBuffer, "*~*a*") ||
                       Mentions(LineBuffer, "*~*C*"));
  KeepListedEntries(CurrentCommand != CMD_SHO);  // sho changes no entry it lists
  ReadSharesAhead(CurrentCommand == CMD_SHO && Recurse);
  LoadFormat(TotalsFormat, LineBuffer);
  if (FormatMentions(LineBuffer, 'o')) NeedOwner = 1;
}

// Whether the run reads the time of `letter` (M, L or C) for its entries;
// a time it does not read stays 0.
bool TimeRead(char letter) {
  for (int t = 0; RunTimeLetters[t]; t++)
    if (RunTimeLetters[t] == letter) return Run.TimeNeeded[t];
  return true;
}

// A text criterion not given, a range not given that is empty, and a time
// not given, from 0, of a time the run does not read (0 lies within its
// bounds) pass every value: the entries are spared the test.
bool PassesEveryValue(const ParamDescriptor& row) {
  if (row.status != PS_OPTIONAL) return false;
  if (row.type == PT_STRING || row.type == PT_WSTRING) return true;
  if (row.type == PT_RANGE) return !*(const char*)row.target;
  const uint64_t* lower = (const uint64_t*)row.defaultValue;
  return row.type == PT_ABSTIME && !TimeRead(row.letter) && (!lower || *lower == 0);
}

void IndexCriteria(void) {
  for (ParamDescriptor*& row : Run.CriterionRows) row = nullptr;
  Run.CriteriaTested = false;
  for (ParamDescriptor* row = CriteriaTable; row->type != PT_NONE; row++) {
    ParamDescriptor*& slot = Run.CriterionRows[(unsigned char)row->letter];
    if (slot || PassesEveryValue(*row)) continue;
    slot = row;
    Run.CriteriaTested = true;
  }
}

}  // namespace

void WorkOutRunValues(void) {
  WorkOutPerFileNeeds();
  IndexCriteria();
  ReadOutputConventions();
}
