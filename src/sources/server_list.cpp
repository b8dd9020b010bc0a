// The static server list: one domain\\server line per server, read in place
// of the network's browse list when SERVERLIST names it.
#include <cstring>
#include <string>

#include "base/settings.h"
#include "match/pattern_match.h"
#include "output/standard_output.h"
#include "sources/network_loops.h"
#include "sources/network_names.h"

namespace {

// A line is read with room for 254 characters, as fgets with 255 bytes
// reads it: a longer line goes on as the next one.
constexpr size_t ListLineCapacity = 255;

// The whole content of an open file; false when a read fails.
bool ReadWholeFile(HANDLE file, std::string& content) {
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
    if (got == 0) return true;
    content.append(chunk, got);
  }
  return false;
}

// The next line of `content` from `at`, cut at its first character below 32.
std::string NextLine(const std::string& content, size_t& at) {
  size_t end = at;
  while (end < content.size() && end - at < ListLineCapacity - 1 && content[end] != '\n') end++;
  if (end < content.size() && content[end] == '\n' && end - at < ListLineCapacity - 1) end++;
  std::string line = content.substr(at, end - at);
  at = end;
  size_t cut = 0;
  while (cut < line.size() && (unsigned char)line[cut] >= 32) cut++;
  line.resize(cut);
  return line;
}

// Visits the server of a matching line: the part before its first
// backslash is the domain, the part from it on the server.
void VisitListedServer(const std::string& line, ServerVisitorProc visitor) {
  size_t backslash = line.find('\\');
  std::string domainText = backslash == std::string::npos ? std::string() : line.substr(0, backslash);
  std::string serverText = backslash == std::string::npos ? line : line.substr(backslash);
  WCHAR domain[DomainNameCapacity];
  WCHAR server[ServerNameCapacity];
  if (!ToWideName(domainText.c_str(), domain, DomainNameCapacity) ||
      !ToWideName(serverText.c_str(), server, ServerNameCapacity - 1)) {
    PrintError("LISTLOOP-ERROR, '%s': name too long, skipped\n", line.c_str());
    return;
  }
  visitor(domain, server);
}

}  // namespace

int ListLoop(const char* listFile, const char* domainText, const char* serverPattern,
             ServerVisitorProc visitor) {
  HANDLE file = CreateFileA(listFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  std::string content;
  if (file == INVALID_HANDLE_VALUE || !ReadWholeFile(file, content)) {
    DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    PrintError("LISTLOOP-ERROR, cannot open '%s', error=%ld\n", listFile, (long)error);
    SetLastError(error);
    return 0;
  }
  CloseHandle(file);
  if (Verbose) PrintOutput("LISTLOOP-INFO, using static list '%s'\n", listFile);
  std::string pattern = std::string(domainText) + "\\\\" + serverPattern;
  for (size_t at = 0; at < content.size();) {
    std::string line = NextLine(content, at);
    if (Verbose) PrintOutput("LISTLOOP-INFO, trying %s...", line.c_str());
    bool matches = MatchPattern(line.c_str(), pattern.c_str(), false);
    if (Verbose) PrintOutput(matches ? "match\n" : "does not match\n");
    if (matches) VisitListedServer(line, visitor);
  }
  return 1;
}
