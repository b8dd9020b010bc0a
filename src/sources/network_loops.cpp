#include "sources/network_loops.h"

#include "output/standard_output.h"

// Network enumeration is not built yet: UNC sources are refused with a clear
// message and nothing is walked.
int DomainLoop(const char* domainPattern, const char* serverPattern, ServerVisitorProc visitor) {
  PrintError("KELTRO-ERROR, UNC sources (\\\\%s) are not supported yet\n", serverPattern);
  return 0;
}

void ServerVisitor(const char* domain, const char* server) {}
