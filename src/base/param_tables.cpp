#include "base/param_tables.h"

#include <iterator>

#include "base/settings.h"

namespace {

const TimeValue NoTime = 0;
const char EmptyText[] = "";

// The rows; the usage text that describes them is resource 6 and the ones
// after it (resources/strings.inc).
#define TEXT_ROW(letter, target) \
  {PT_STRING, letter, PS_OPTIONAL, target, (intptr_t)EmptyText, sizeof target}
#define FLAG_ROW(letter, target) {PT_FLAG, letter, PS_OPTIONAL, &target, 0, 0}
#define TIME_ROW(letter, target, lower) {PT_ABSTIME, letter, PS_OPTIONAL, &target, (intptr_t)lower, 0}
#define RANGE_ROW(letter, target) \
  {PT_RANGE, letter, PS_OPTIONAL, target, (intptr_t)EmptyText, sizeof target}
#define END_ROW {PT_NONE, 0, PS_OPTIONAL, nullptr, 0, 0}

const ParamDescriptor ParameterRows[] = {
    TEXT_ROW(0, CommandWord),
    {PT_STRING, 0, PS_OPTIONAL, LineBuffer, (intptr_t)EmptyText, TextCapacity},
    TEXT_ROW(0, TargetPath),
    END_ROW,
};

const ParamDescriptor OptionRows[] = {
    TEXT_ROW('g', FilePermissions),
    FLAG_ROW('v', Verbose),
    FLAG_ROW('y', YesToAll),
    FLAG_ROW('A', AnsiOutput),
    FLAG_ROW('?', ShowHelp),
    FLAG_ROW('S', Recurse),
    TEXT_ROW('a', AttribsToSet),
    TEXT_ROW('G', DirPermissions),
    TEXT_ROW('o', NewOwner),
    TIME_ROW('M', ModTimeToSet, &NoTime),
    TIME_ROW('C', CreateTimeToSet, &NoTime),
    TIME_ROW('L', AccessTimeToSet, &NoTime),
    FLAG_ROW('E', RemoveDirs),
    FLAG_ROW('d', CleanupTarget),
    FLAG_ROW('T', NewerOnly),
    FLAG_ROW('P', CopyPermissions),
    FLAG_ROW('n', NoAttribCopy),
    {PT_NUMBER, 'h', PS_OPTIONAL, &HiddenShareLevel, 1, 0},
    END_ROW,
};

const ParamDescriptor CriteriaRows[] = {
    TEXT_ROW('a', AttribPattern),
    TEXT_ROW('g', GrantsPattern),
    TEXT_ROW('o', OwnerPattern),
    TIME_ROW('M', ModifiedBefore, &ModifiedAfter),
    TIME_ROW('C', CreatedBefore, &CreatedAfter),
    TIME_ROW('L', AccessedBefore, &AccessedAfter),
    RANGE_ROW('s', SizeRange),
    RANGE_ROW('T', AceCountRange),
    END_ROW,
};

const ParamDescriptor FormatRows[] = {
    {PT_STRING, 'F', PS_OPTIONAL, FileFormat, (intptr_t)DefaultFileFormat, sizeof FileFormat},
    TEXT_ROW('S', ServerFormat),
    TEXT_ROW('T', TotalsFormat),
    TEXT_ROW('g', AceFormat),
    TEXT_ROW('d', DirFormat),
    TEXT_ROW('o', OwnerFormat),
    TEXT_ROW('e', LocationFormat),
    END_ROW,
};

template <size_t N>
void CopyRows(ParamDescriptor* table, const ParamDescriptor (&rows)[N]) {
  for (size_t i = 0; i < N; ++i) table[i] = rows[i];
}

}  // namespace

ParamDescriptor ParameterTable[std::size(ParameterRows)];
ParamDescriptor OptionTable[std::size(OptionRows)];
ParamDescriptor CriteriaTable[std::size(CriteriaRows)];
ParamDescriptor FormatTable[std::size(FormatRows)];

void FillParamTables(void) {
  CopyRows(ParameterTable, ParameterRows);
  CopyRows(OptionTable, OptionRows);
  CopyRows(CriteriaTable, CriteriaRows);
  CopyRows(FormatTable, FormatRows);
}

const ParamDescriptor* FindCriterion(char letter) {
  const ParamDescriptor* d = CriteriaTable;
  while (d->type != PT_NONE && d->letter != letter) ++d;
  return d;
}
