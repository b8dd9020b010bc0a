// Console output: listing lines with the OEM conversion, and the yes/no/all prompts.
#pragma once

#include <cstdint>

#include "output/format_output.h"

// Converts text in place from the ANSI to the OEM code page.
void ToConsoleCodePage(char* text);

// Expands `format` with `table` into LineBuffer, converts it unless /A is
// given, and prints it with a newline on standard output.
void PrintListingLine(const char* format, const PlaceholderEntry* table);

// The yes/no/all prompt: true at once when YesToAll is set; otherwise it
// discards typed-ahead console input, writes the prompt (converted to the OEM
// code page, the caller's text left as it is) and the answer line, and reads
// one answer line from standard input: its first character decides (Y/y yes,
// A/a yes to all, anything else and the end of input no), the rest of the
// line is dropped. AskConfirm sets *actionFlag on an A answer;
// AskConfirmGlobal sets YesToAll instead.
bool AskConfirm(const char* prompt, int32_t* actionFlag);
bool AskConfirmGlobal(const char* prompt);
