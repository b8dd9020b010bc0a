#include "base/param_tables.h"

#include <iterator>

#include "base/settings.h"

namespace {

const TimeValue NoTime = 0;
const char EmptyText[] = "";

#define TEXT_ROW(letter, target, help) \
  {PT_STRING, letter, PS_OPTIONAL, target, (intptr_t)EmptyText, sizeof target, help}
#define FLAG_ROW(letter, target, help) {PT_FLAG, letter, PS_OPTIONAL, &target, 0, 0, help}
#define TIME_ROW(letter, target, lower, help) \
  {PT_ABSTIME, letter, PS_OPTIONAL, &target, (intptr_t)lower, 0, help}
#define RANGE_ROW(letter, target, help) \
  {PT_RANGE, letter, PS_OPTIONAL, target, (intptr_t)EmptyText, sizeof target, help}
#define END_ROW {PT_NONE, 0, PS_OPTIONAL, nullptr, 0, 0, nullptr}

const ParamDescriptor ParameterRows[] = {
    TEXT_ROW(0, CommandWord, "<cmd>"),
    {PT_STRING, 0, PS_OPTIONAL, LineBuffer, (intptr_t)EmptyText, TextCapacity, "<spec>"},
    TEXT_ROW(0, TargetPath, "<target>"),
    END_ROW,
};

const ParamDescriptor OptionRows[] = {
    TEXT_ROW('g', FilePermissions, "file permissions with placeholders"),
    FLAG_ROW('v', Verbose, "verbose serverloop and statistics"),
    FLAG_ROW('y', YesToAll, "yes to all actions"),
    FLAG_ROW('A', AnsiOutput, "ANSI output (default:OEM)"),
    FLAG_ROW('?', ShowHelp, "this text"),
    FLAG_ROW('S', Recurse, "recurse subdirectories"),
    TEXT_ROW('a', AttribsToSet, "file attributes (RHSA, . to reset ? to leave unchanged)"),
    TEXT_ROW('G', DirPermissions, "directory permissions with placeholders and inheritance"),
    TEXT_ROW('o', NewOwner, "new owner with placeholders"),
    TIME_ROW('M', ModTimeToSet, &NoTime, "set the modification time"),
    TIME_ROW('C', CreateTimeToSet, &NoTime, "set the creation time"),
    TIME_ROW('L', AccessTimeToSet, &NoTime, "set the access time"),
    FLAG_ROW('E', RemoveDirs, "remove directories"),
    FLAG_ROW('d', CleanupTarget, "cleanup target"),
    FLAG_ROW('T', NewerOnly, "replace only newer files"),
    FLAG_ROW('P', CopyPermissions, "copy permissions to target files"),
    FLAG_ROW('n', NoAttribCopy, "do not copy attributes to target"),
    {PT_NUMBER, 'h', PS_OPTIONAL, &HiddenShareLevel, 1, 0, "hide hidden drive shares (default)"},
    END_ROW,
};

const ParamDescriptor CriteriaRows[] = {
    TEXT_ROW('a', AttribPattern, "files with matching attribs (eg *H* all hidden files)"),
    TEXT_ROW('g', GrantsPattern, "files with matching grants"),
    TEXT_ROW('o', OwnerPattern, "files owned by..."),
    TIME_ROW('M', ModifiedBefore, &ModifiedAfter, "files modified before (+M... after)"),
    TIME_ROW('C', CreatedBefore, &CreatedAfter, "files created before (+C...after)"),
    TIME_ROW('L', AccessedBefore, &AccessedAfter, "files accessed before (+L... after)"),
    RANGE_ROW('s', SizeRange, "files with size from xx to yy"),
    RANGE_ROW('T', AceCountRange, "files with xx to yy ACEs"),
    END_ROW,
};

const ParamDescriptor FormatRows[] = {
    {PT_STRING, 'F', PS_OPTIONAL, FileFormat, (intptr_t)DefaultFileFormat, sizeof FileFormat,
     "per-file output format (default ~f), placeholders:"},
    TEXT_ROW('S', ServerFormat, "per-server output format, placeholders:"),
    TEXT_ROW('T', TotalsFormat, "totals output format, placeholders:"),
    TEXT_ROW('g', AceFormat, "per-ACE output format, placeholders:"),
    TEXT_ROW('d', DirFormat, "per-directory output format, placeholders:"),
    TEXT_ROW('o', OwnerFormat, "per-owner output, placeholders:"),
    TEXT_ROW('e', LocationFormat, "per-drive/share output format"),
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
