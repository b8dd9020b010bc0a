// GetComputerNameW: the computer's NetBIOS name as Samba derives it, the
// first label of the host name, upper-cased, at most 15 characters.
#include <unistd.h>

#include <string>

#include "platform/posix/layer.h"
#include "platform/win32_network.h"

namespace {

std::string NetbiosName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return "LOCALHOST";
  std::string name;
  for (const char* c = host; *c && *c != '.' && name.size() < MAX_COMPUTERNAME_LENGTH; ++c) name += UpperAscii(*c);
  return name.empty() ? "LOCALHOST" : name;
}

}  // namespace

// Too small a buffer (room for the name and its terminator) fails with
// ERROR_BUFFER_OVERFLOW and sets *nSize to the room needed.
BOOL GetComputerNameW(LPWSTR lpBuffer, LPDWORD nSize) {
  if (!nSize) return FailWith(ERROR_INVALID_PARAMETER);
  std::string name = NetbiosName();
  if (!lpBuffer || *nSize < name.size() + 1) {
    *nSize = (DWORD)name.size() + 1;
    return FailWith(ERROR_BUFFER_OVERFLOW);
  }
  for (size_t i = 0; i < name.size(); ++i) lpBuffer[i] = (WCHAR)(unsigned char)name[i];
  lpBuffer[name.size()] = 0;
  *nSize = (DWORD)name.size();
  return Succeed();
}
