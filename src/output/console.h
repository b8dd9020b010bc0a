// Console output: listing lines with the OEM conversion, and the yes/no/all prompts.
#pragma once

#include <cstdint>

#include "output/format_output.h"

// Converts text in place from the ANSI to the OEM code page.
void ToConsoleCodePage(char* text);

// Expands `format` with `table` into LineBuffer, converts it unless /A is
// given, and prints it with a newline on standard output.
void PrintListingLine(const char* format, const PlaceholderEntry* table);

// The yes/no/all prompt. AskConfirm sets *actionFlag on an A answer;
// AskConfirmGlobal sets the run's yes-to-all flag instead.
bool AskConfirm(const char* prompt, int32_t* actionFlag);
bool AskConfirmGlobal(const char* prompt);
