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

// Reads /proc/self/cmdline: the arguments as the shell passed them.
std::string ReadRawArguments() {
  std::string raw;
  FILE* f = fopen("/proc/self/cmdline", "rb");
  if (!f) return raw;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) raw.append(chunk, n);
  fclose(f);
  return raw;
}

// Each argument that is empty or holds a blank is put in double quotes, so
// the program's own splitting gives back what the shell passed.
std::string RebuildCommandLine(const std::string& raw) {
  std::string line;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    std::string arg = raw.substr(start, end - start);
    if (!line.empty()) line += ' ';
    if (arg.empty() || arg.find(' ') != std::string::npos) {
      line += '"' + arg + '"';
    } else {
      line += arg;
    }
    start = end + 1;
  }
  return line;
}

}  // namespace

LPSTR GetCommandLineA(void) {
  static std::string line = RebuildCommandLine(ReadRawArguments());
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
