#include "output/standard_output.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "output/progress.h"
#include "platform/win32.h"

namespace {

constexpr size_t OutputCapacity = 64 * 1024;

char OutputBuffer[OutputCapacity];
size_t OutputUsed = 0;
bool Started = false;
bool OnConsole = false;

// Whatever is still buffered when the process ends is written then.
void FlushAtExit(void) { FlushOutput(); }

void StartOutput(void) {
  if (Started) return;
  Started = true;
  DWORD mode;
  OnConsole = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
  atexit(FlushAtExit);
}

// Text for a console may share it with the progress line, which goes first.
void StartOfCall(void) {
  StartOutput();
  if (OnConsole) EraseProgress();
}

void EndOfCall(void) {
  if (OnConsole) FlushOutput();
}

void Append(const char* text, size_t length) {
  if (length < OutputCapacity - OutputUsed) {  // the common case: it fits
    memcpy(OutputBuffer + OutputUsed, text, length);
    OutputUsed += length;
    return;
  }
  while (length > 0) {
    if (OutputUsed == OutputCapacity) FlushOutput();
    size_t part = length < OutputCapacity - OutputUsed ? length : OutputCapacity - OutputUsed;
    memcpy(OutputBuffer + OutputUsed, text, part);
    OutputUsed += part;
    text += part;
    length -= part;
  }
}

}  // namespace

void WriteOutput(const char* text, size_t length) {
  StartOfCall();
  Append(text, length);
  EndOfCall();
}

void WriteOutputLine(const char* text, size_t length) {
  StartOfCall();
  if (length < OutputCapacity - OutputUsed) {  // the common case: the line and its end fit
    memcpy(OutputBuffer + OutputUsed, text, length);
    OutputBuffer[OutputUsed + length] = '\n';
    OutputUsed += length + 1;
  } else {
    Append(text, length);
    Append("\n", 1);
  }
  EndOfCall();
}

void WriteOutputParts(std::initializer_list<std::string_view> parts) {
  StartOfCall();
  for (std::string_view part : parts) Append(part.data(), part.size());
  Append("\n", 1);
  EndOfCall();
}

void PrintOutput(const char* format, ...) {
  StartOfCall();
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  // Written behind what the buffer holds; a text that does not fit there is
  // written again after a flush, and one longer than the whole buffer is cut to it.
  int written = vsnprintf(OutputBuffer + OutputUsed, OutputCapacity - OutputUsed, format, args);
  if (written > 0 && (size_t)written >= OutputCapacity - OutputUsed && OutputUsed > 0) {
    FlushOutput();
    written = vsnprintf(OutputBuffer, OutputCapacity, format, again);
  }
  if (written > 0) {
    size_t room = OutputCapacity - OutputUsed - 1;
    OutputUsed += (size_t)written < room ? (size_t)written : room;
  }
  va_end(again);
  va_end(args);
  EndOfCall();
}

void FlushOutput(void) {
  if (OutputUsed == 0) return;
  DWORD written = 0;
  BOOL done = WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), OutputBuffer, (DWORD)OutputUsed, &written, nullptr);
  OutputUsed = 0;
  if (done) return;
  DWORD error = GetLastError();
  if (error == 0) error = ERROR_GEN_FAILURE;  // the exit code must tell the failure
  EraseProgress();
  fprintf(stderr, "KELTRO-ERROR, cannot write to standard output, error=%ld\n", (long)error);
  _Exit((int)error);
}

void PrintError(const char* format, ...) {
  FlushOutput();
  EraseProgress();
  va_list args;
  va_start(args, format);
  vfprintf(stderr, format, args);
  va_end(args);
}
