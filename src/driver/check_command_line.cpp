// The checks between command, paths and options, in the order they are made.
#include <cstdio>
#include <cstring>

#include "driver/entry.h"
#include "base/bounded_text.h"
#include "match/pattern_match.h"
#include "output/standard_output.h"

namespace {

bool Refuse(const char* message) {
  PrintError("%s", message);
  return false;
}

}  // namespace

bool CheckCommandLine(void) {
  if (CleanupTarget && CurrentCommand != CMD_MIR && CurrentCommand != CMD_UPD) {
    return Refuse("KELTRO-ERROR, /d switch only allowed with MIR or UPD operations\n");
  }
  if (HasWildcards(TargetPath)) return Refuse("KELTRO-ERROR, wildcards not allowed in target path\n");
  switch (CurrentCommand) {
    case CMD_DEL:
    case CMD_SET:
      if (TargetPath[0]) return Refuse("KELTRO-ERROR, no second path allowed with SET or DEL\n");
      break;
    case CMD_SHO:
      if (TargetPath[0]) return Refuse("KELTRO-ERROR, no second path allowed with SHO\n");
      break;
    default:
      if (!IsCopyCommand(CurrentCommand)) break;
      if (CleanupTarget && (HasWildcards(ServerPattern) || HasWildcards(SharePattern) ||
                            HasWildcards(DirectoryPart))) {
        return Refuse("KELTRO-ERROR, cannot have multiple source directories with /d\n");
      }
      if (!TargetPath[0]) return Refuse("KELTRO-ERROR, no target path specified\n");
      if (!MakeTargetAbsolute()) return false;
      if (TargetLiesInsideSource()) return Refuse("KELTRO-ERROR, target path lies inside the source\n");
  }
  return true;
}

bool MakeTargetAbsolute(void) {
  char absolute[MAX_PATH];
  DWORD length = GetFullPathNameA(TargetPath, sizeof absolute, absolute, nullptr);
  bool endsInBackslash = length > 0 && length < sizeof absolute && absolute[length - 1] == '\\';
  if (length == 0 || length >= sizeof absolute ||
      length + (endsInBackslash ? 0 : 1) >= sizeof TargetPath) {
    return Refuse("KELTRO-ERROR, target path too long (at most 254 characters)\n");
  }
  CopyText(TargetPath, absolute);
  if (!endsInBackslash) AppendText(TargetPath, "\\");
  return true;
}
