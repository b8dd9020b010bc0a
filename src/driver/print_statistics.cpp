#include "base/statistics.h"
#include "driver/entry.h"

#include "output/standard_output.h"

namespace {

enum LineKind { COUNT, SUM };

struct StatLine {
  LineKind kind;
  const void* value;
  const char* wording;
};

void PrintLine(const StatLine& line) {
  if (line.kind == COUNT) {
    PrintOutput("KELTRO-STATISTICS=% 12ld %s\n", (long)*(const int32_t*)line.value, line.wording);
  } else {
    PrintOutput("KELTRO-STATISTICS=% 12.0f %s\n", *(const double*)line.value, line.wording);
  }
}

template <size_t N>
void PrintBlock(const StatLine (&lines)[N]) {
  for (const StatLine& line : lines) PrintLine(line);
}

}  // namespace

void PrintStatistics(void) {
  const RunStatistics& s = Stats;
  switch (CurrentCommand) {
    case CMD_DEL: {
      const StatLine lines[] = {{COUNT, &s.FilesDeleted, "files deleted"},
                                {SUM, &s.BytesDeleted, "bytes deleted"},
                                {COUNT, &s.DirectoriesRemoved, "directories removed"}};
      PrintBlock(lines);
      break;
    }
    case CMD_MIR:
    case CMD_UPD: {
      const StatLine lines[] = {{COUNT, &s.Files, "files in source"},
                                {SUM, &s.Bytes, "bytes in source"},
                                {COUNT, &s.Subdirectories, "subdirectories in source"},
                                {COUNT, &s.FilesCopied, "files copied"},
                                {SUM, &s.BytesCopied, "bytes copied"},
                                {COUNT, &s.FilesReplaced, "files replaced"},
                                {COUNT, &s.FilesDeleted, "files deleted"},
                                {SUM, &s.BytesDeleted, "bytes deleted"},
                                {COUNT, &s.DirectoriesCreated, "directories created"},
                                {COUNT, &s.DirectoriesRemoved, "directories removed"},
                                {COUNT, &s.ProtectionsReplaced, "protections replaced"},
                                {COUNT, &s.AttributesReplaced, "attributes replaced"}};
      PrintBlock(lines);
      break;
    }
    case CMD_SET: {
      const StatLine lines[] = {{COUNT, &s.Files, "files set"}};
      PrintBlock(lines);
      break;
    }
    case CMD_COP: {
      const StatLine lines[] = {{COUNT, &s.Files, "files in source"},
                                {SUM, &s.Bytes, "bytes in source"},
                                {COUNT, &s.Subdirectories, "subdirectories in source"},
                                {COUNT, &s.FilesCopied, "files copied"},
                                {SUM, &s.BytesCopied, "bytes copied"},
                                {COUNT, &s.DirectoriesCreated, "directories created"},
                                {COUNT, &s.ProtectionsReplaced, "protections replaced"}};
      PrintBlock(lines);
      break;
    }
    case CMD_SHO:
      if (Verbose) {
        const StatLine lines[] = {{COUNT, &s.Files, "files"},
                                  {SUM, &s.Bytes, "bytes"},
                                  {COUNT, &s.Subdirectories, "subdirectories"}};
        PrintBlock(lines);
      }
      break;
  }
  if (CurrentCommand != CMD_SHO || Verbose) {
    const StatLine closing[] = {{COUNT, &s.FilesTaken, "files taken"},
                                {COUNT, &s.ActionsSkipped, "actions skipped"},
                                {COUNT, &s.ErrorsDetected, "errors detected"}};
    PrintBlock(closing);
  }
}
