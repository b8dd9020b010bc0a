// UNC sources: the domain, server and share loops.
#pragma once

typedef void (*ServerVisitorProc)(const char* domain, const char* server);

// Visits every server matching serverPattern in the domains matching
// domainPattern. Returns 1 when a server was visited.
int DomainLoop(const char* domainPattern, const char* serverPattern, ServerVisitorProc visitor);

// Walks the matching shares of one server.
void ServerVisitor(const char* domain, const char* server);
