// Standard output through one buffer, and error messages in their place
// among the output lines.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

// Appends text to the output buffer; a full buffer is written first. On a
// console every call ends with a write, so lines appear as they are made.
void WriteOutput(const char* text, size_t length);
void WriteOutputLine(const char* text, size_t length);  // text and a line break
void WriteOutputParts(std::initializer_list<std::string_view> parts);  // the parts and a line break
void PrintOutput(const char* format, ...);              // printf into the buffer

// Writes the buffer to standard output. When that fails the run ends here:
// "KELTRO-ERROR, cannot write to standard output, error=%ld" on standard
// error, and the Win32 code of the failure as the exit code.
void FlushOutput(void);

// An error message on standard error, after everything printed before it.
void PrintError(const char* format, ...);
