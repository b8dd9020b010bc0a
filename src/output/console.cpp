#include "output/console.h"

#include <cstdio>
#include <cstring>

#include "base/settings.h"
#include "platform/win32.h"

void ToConsoleCodePage(char* text) {
  CharToOemBuffA(text, text, (DWORD)strlen(text));
}

void PrintListingLine(const char* format, const PlaceholderEntry* table) {
  FormatOutput(format, LineBuffer, table, LineCapacity);
  if (!AnsiOutput) ToConsoleCodePage(LineBuffer);
  printf("%s\n", LineBuffer);
}
