// FileValues: the placeholder table of the entry being handled. It serves the
// ~F lines, the criteria, the /o and /g templates and the owner tally.
#pragma once

#include <cstdint>

#include "base/settings.h"
#include "output/format_output.h"
#include "platform/win32.h"

constexpr int OwnerPartCapacity = 24;   // owner user name, owner domain
constexpr int OwnerTextCapacity = 64;   // domain\user
constexpr int AclTextCapacity = 1024;

// The values behind FileValues, refilled for every entry that matched the patterns.
struct EntryValueStore {
  const char* Domain;                   // D, of the root being walked
  const char* Server;                   // S, with its leading backslashes; empty for local drives
  const char* Location;                 // e: drive (such as C:) or share
  const char* Directory;                // d: CurrentDirPath from DirectoryPartStart on
  const char* Name;                     // N: the name as listed
  char NameWithoutExt[256];             // n
  int32_t Size;                         // s: low 32 bits of the size
  uint64_t WriteTime;                   // M, local
  uint64_t AccessTime;                  // L, local
  uint64_t CreationTime;                // C, local
  char Attributes[7];                   // a: "RHSACD" with '.' for clear bits
  char FullName[PathCapacity];          // f: CurrentDirPath followed by the name
  char OwnerUser[OwnerPartCapacity];    // u
  char OwnerDomain[OwnerPartCapacity];  // x
  char OwnerText[OwnerTextCapacity];    // o: domain\user
  char AclText[AclTextCapacity];        // g
  int32_t AceCount;                     // T
};

extern EntryValueStore EntryValues;
extern PlaceholderEntry FileValues[];

// Binds FileValues for one root: domain, server and drive or share as given to
// the walk; d points into CurrentDirPath from DirectoryPartStart on. The owner
// entries are present only with NeedOwner, the ACL entries only with NeedSecurity.
// The times are refilled only when the run can read them: a command other
// than sho, a time criterion, or a ~F format with a '~' before M, L or C.
// The name without its extension (n) and the attribute letters (a) are
// refilled only when the run can read them: a ~F or ~g format of sho, a
// command other than sho, del and the copying ones, or a criterion of the
// attributes.
void BindFileValues(const char* domain, const char* server, const char* location);

// Whether the run reads an entry's name without its extension and its
// attribute letters (as worked out by BindFileValues).
bool EntryTextsAreRead();

// Refills the values for `entry` of the directory CurrentDirPath, which has
// `dirLength` characters and, when dirInPlace, already begins the full name
// (the last entry filled was of the same directory). False (with a message)
// when the full name does not fit its text. The full name is written only
// when the run can read it: a command other than sho, a ~F format, or the
// owner and ACL reads.
bool FillFileValues(const WIN32_FIND_DATAA* entry, size_t dirLength, bool dirInPlace);

// Writes the six attribute letters R H S A C D (or '.') and a terminator.
void FormatAttributes(DWORD attributes, char* text);

// The low 32 bits of a listed entry's size, as the walk counts it.
inline uint32_t ListedSize(const WIN32_FIND_DATAA* entry) { return entry->nFileSizeLow; }
