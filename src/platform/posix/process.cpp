// Process family: the command line rebuilt from argv, the environment, and
// the string table compiled into the program.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/layer.h"
#include "platform/win32.h"

namespace {

// The arguments as main receives them. glibc hands argc and argv to the
// functions of .init_array as well, so the command line is kept here before
// main runs and never depends on a mounted /proc.
int ArgumentCount = 0;
char** Arguments = nullptr;

void KeepArguments(int argc, char** argv, char** /*envp*/) {
  ArgumentCount = argc;
  Arguments = argv;
}

// Placed in .init_array by hand: a function marked as a constructor is
// called by GCC's link-time optimization from one merged constructor that
// passes no arguments, and the command line would be lost.
[[gnu::section(".init_array"), gnu::used]] void (*KeepArgumentsEntry)(int, char**, char**) = KeepArguments;

// The program's splitting ends a quoted word at a double quote followed by a
// character of code 32 or less; nothing can carry such a quote.
bool CanBeQuoted(const std::string& arg) {
  for (size_t i = 0; i + 1 < arg.size(); i++) {
    if (arg[i] == '"' && (unsigned char)arg[i + 1] <= 32) return false;
  }
  return true;
}

// An argument that is empty or holds a blank or a double quote is put in
// double quotes, so the program's own splitting gives back what the shell
// passed (a quote inside a quoted word followed by a character above code 32
// is kept as it is).
std::string AsWord(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \"") == std::string::npos) return arg;
  return '"' + arg + '"';
}

// An argument the command line cannot carry is refused, never split: the run
// ends as after any parse error.
void RefuseArgument(int number) {
  fprintf(stderr,
          "PARAM-ERROR, argument no.%d cannot be passed on: a double quote followed by a blank or a "
          "control character ends a quoted word\n",
          number);
  exit(87);
}

std::string RebuildCommandLine() {
  std::string program = ArgumentCount > 0 ? Arguments[0] : "";
  std::string line = !program.empty() && CanBeQuoted(program) ? AsWord(program) : "keltro";
  for (int i = 1; i < ArgumentCount; i++) {
    std::string arg = Arguments[i];
    if (!CanBeQuoted(arg)) RefuseArgument(i);
    line += ' ' + AsWord(arg);
  }
  return line;
}

}  // namespace

LPSTR GetCommandLineA(void) {
  static std::string line = RebuildCommandLine();
  return line.data();
}

DWORD GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
  const char* value = getenv(lpName);
  if (!value) {
    SetLastError(203);  // ERROR_ENVVAR_NOT_FOUND
    return 0;
  }
  size_t length = strlen(value);
  if (length + 1 > nSize) return (DWORD)(length + 1);
  memcpy(lpBuffer, value, length + 1);
  return (DWORD)length;
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
  static int self;
  return lpModuleName ? nullptr : (HMODULE)&self;
}

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  const char* text = FindStringResource(uID);
  if (!text) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (lpBuffer && cchBufferMax > 0) lpBuffer[0] = '\0';
    return 0;
  }
  if (!lpBuffer || cchBufferMax <= 0) return 0;
  size_t length = strlen(text);
  if (length >= (size_t)cchBufferMax) length = (size_t)cchBufferMax - 1;  // cut, as Win32 does
  memcpy(lpBuffer, text, length);
  lpBuffer[length] = '\0';
  return (int)length;
}
