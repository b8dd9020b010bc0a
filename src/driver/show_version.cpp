#include "driver/show_version.h"

#include <cstdlib>
#include <cstring>

#include "output/standard_output.h"
#include "platform/win32.h"

namespace {

constexpr int UsageCapacity = 8192;

// Loads resource id into buffer, or ends the run with its message.
void LoadOrQuit(UINT id, char* buffer, int capacity, const char* missingMessage) {
  if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, capacity) == 0) {
    PrintError("%s", missingMessage);
    exit(-1);
  }
}

}  // namespace

void ShowVersion(int mode) {
  static char usage[UsageCapacity];
  char fileName[256];
  char fileVersion[32];
  char buildNumber[32];
  char copyright[64];
  LoadOrQuit(6, usage, sizeof usage, "Help String Resource not found\n");
  LoadOrQuit(1, fileName, sizeof fileName, "File Name String Resource not found\n");
  LoadOrQuit(2, fileVersion, sizeof fileVersion, "File Version String Resource not found\n");
  LoadOrQuit(3, buildNumber, sizeof buildNumber, "Buildno String Resource not found\n");
  LoadOrQuit(7, copyright, sizeof copyright, "Copyright String Resource not found\n");

  // The first two characters of the name and the build number are markers.
  PrintOutput("%s %s.%s  %s\n", fileName + 2, fileVersion, buildNumber + 2, copyright);
  if (mode == 1) {
    PrintOutput("%s\n", usage);
    for (UINT id = 8; id <= 12; ++id) {
      if (LoadStringA(GetModuleHandleA(nullptr), id, usage, sizeof usage) > 0) WriteOutput(usage, strlen(usage));
    }
  }
  FlushOutput();
  exit(-1);
}
