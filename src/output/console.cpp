#include "output/console.h"

#include <cstring>

#include "base/settings.h"
#include "output/standard_output.h"
#include "platform/win32.h"

// Where the console's code page is the ANSI one (both UTF-8, for instance)
// the conversion changes nothing and is skipped.
void ToConsoleCodePage(char* text) {
  if (GetOEMCP() == GetACP()) return;
  CharToOemBuffA(text, text, (DWORD)strlen(text));
}

void PrintListingLine(const char* format, const PlaceholderEntry* table) {
  int length = FormatOutput(format, LineBuffer, table, LineCapacity);
  if (!AnsiOutput) ToConsoleCodePage(LineBuffer);  // changes no length: one byte for one
  WriteOutputLine(LineBuffer, (size_t)length);
}
