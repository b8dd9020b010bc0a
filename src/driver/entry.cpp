// The run, top to bottom: tables, parse, prepare, check, walk, report.
#include "driver/entry.h"

#include <cstdio>
#include <cstdlib>

#include "actions/directories.h"
#include "base/param_tables.h"
#include "params/command_line.h"
#include "driver/show_version.h"
#include "base/statistics.h"
#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "sources/drive_spec.h"
#include "sources/network_loops.h"
#include "walk/owner_totals.h"
#include "walk/run_values.h"

namespace {

constexpr int ExitBadCommandLine = 87;

void ReadDefaultFileFormat(void) {
  DWORD length = GetEnvironmentVariableA("BELMIX_FORMAT", DefaultFileFormat, sizeof DefaultFileFormat);
  if (length >= sizeof DefaultFileFormat) {
    PrintError("KELTRO-ERROR, BELMIX_FORMAT longer than 255 characters, using ~f\n");
    length = 0;
  }
  if (length == 0) CopyText(DefaultFileFormat, "~f");
}

void StartWalk(void) {
  if (ServerPattern[0]) {
    DomainLoop(DomainPattern, ServerPattern, ServerVisitor);
  } else {
    ExpandDriveSpec(DrivePart, DirectoryPart, FilePatterns);
  }
}

}  // namespace

int RunKeltro(void) {
  FillParamTables();
  ReadDefaultFileFormat();
  int faulty = ParseCommandLine(ParameterTable, OptionTable, CriteriaTable, FormatTable);
  if (faulty != 0) {
    PrintError("KELTRO-ERROR, error in argument no.%d\n", faulty);
    return ExitBadCommandLine;
  }
  if (ShowHelp || CommandWord[0] == '\0') ShowVersion(1);
  CurrentCommand = LookupCommand(CommandWord, CMD_HEL);
  if (CurrentCommand == CMD_HEL) ShowVersion(1);
  if (CurrentCommand == CMD_VER) ShowVersion(0);

  if (!PrepareSourceSpec()) return ExitBadCommandLine;
  WorkOutRunValues();
  if (OwnerFormat[0] || TotalsFormat[0]) EmptyOwnerTotals();
  if (!CheckCommandLine()) return ExitBadCommandLine;

  if (CurrentCommand == CMD_INVALID) {
    PrintError("KELTRO-ERROR, invalid command '%s'\n", CommandWord);
  } else {
    // A target that neither exists nor can be created ends the run at once,
    // with the system's code and no statistics.
    if (IsCopyCommand(CurrentCommand) && !DirExists(TargetPath) && !MakeDir(TargetPath)) {
      FlushOutput();
      return (int)GetLastError();
    }
    StartWalk();
    if (CurrentCommand == CMD_SHO) {
      PrintOwnerLines();
      PrintTotalsLine();
    }
  }
  PrintStatistics();
  FlushOutput();
  return 0;
}
