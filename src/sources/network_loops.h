// UNC sources: the domain, server, static list and share loops, and the
// visitors that walk each server and share they find. Names pass between
// the loops as UTF-16 texts; patterns are ANSI and are matched against the
// ANSI form of the names (at most 23 characters of a name).
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Capacities in UTF-16 units, terminator included: a domain name, and a
// server name with its two leading backslashes.
constexpr int DomainNameCapacity = 24;
constexpr int ServerNameCapacity = 34;

typedef void (*ServerVisitorProc)(const WCHAR* domain, const WCHAR* server);
typedef void (*ShareVisitorProc)(const WCHAR* domain, const WCHAR* server, const WCHAR* share);

// Visits every server matching serverPattern in every domain matching
// domainPattern: a domain pattern without wildcards is taken as it is (the
// workstation's domain when empty); one with wildcards is matched against
// the lines of the SERVERLIST file when that is set, else against the
// domains the network knows. Returns 0 or the code of the failed enumeration.
DWORD DomainLoop(const char* domainPattern, const char* serverPattern, ServerVisitorProc visitor);

// Visits the servers matching serverPattern in `domain`: the one named when
// the pattern has no wildcard (the local computer when it is empty), else
// those of the SERVERLIST file or of the network. Returns 0 or the code of
// the failed enumeration.
DWORD ServerLoop(const WCHAR* domain, const char* serverPattern, ServerVisitorProc visitor);

// Visits the servers of the static list `listFile` whose whole line matches
// domainText\\serverPattern. Returns 1 when the file was read, 0 when it
// could not be opened.
int ListLoop(const char* listFile, const char* domainText, const char* serverPattern,
             ServerVisitorProc visitor);

// Visits the shares of `server` matching sharePattern: the one named when
// the pattern has no wildcard, else those the server lists. Returns 0, the
// code of the failed enumeration, or 87 for an empty pattern.
DWORD ShareLoop(const WCHAR* domain, const WCHAR* server, const char* sharePattern, ShareVisitorProc visitor);

// Counts the server, walks its shares matching SharePattern and prints its
// ~S line.
void ServerVisitor(const WCHAR* domain, const WCHAR* server);

// Walks DirectoryPart with FilePatterns on the share when it is visible.
void ShareVisitor(const WCHAR* domain, const WCHAR* server, const WCHAR* share);

// Whether the share is walked at hidden-share level `level` (/h: 0 walks
// drive administration shares such as C$ too, 2 skips disk shares whose
// name ends in '$', any other value acts as 1). A share whose information
// cannot be read is never walked.
bool ShareIsVisible(const WCHAR* server, const WCHAR* share, int32_t level);
