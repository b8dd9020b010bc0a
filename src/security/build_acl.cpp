// Access lists from permission texts: "account:ACCESSflags" entries separated
// by spaces, each becoming one allowed or denied entry, in the text's order.
#include "security/build_acl.h"

#include <cstring>

#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "security/accounts.h"

namespace {

constexpr DWORD AclEntryReserve = 40;  // bytes the list reserves for each entry of the text
constexpr size_t AccountNameLimit = 255;
constexpr size_t HexDigits = 8;

// One entry of a permission text.
struct PermissionEntry {
  char account[AccountNameLimit + 1];  // up to the colon, at most 255 characters
  bool hasColon;
  const char* field;                   // access field and flags, up to the next space or the end
  size_t fieldLength;
};

// Reads the entry at `p`; the place where the next entry starts.
const char* ReadEntry(const char* p, PermissionEntry& entry) {
  size_t length = 0;
  while (p[length] && p[length] != ':' && length < AccountNameLimit) length++;
  CopyTextN(entry.account, sizeof entry.account, p, length);
  p += length;
  entry.hasColon = *p == ':';
  if (entry.hasColon) p++;
  entry.field = p;
  entry.fieldLength = strcspn(p, " ");
  p += entry.fieldLength;
  while (*p == ' ') p++;
  return p;
}

DWORD CountEntries(const char* text) {
  DWORD count = 0;
  PermissionEntry entry;
  for (const char* p = text; *p; p = ReadEntry(p, entry)) count++;
  return count;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "0x" and exactly eight hexadecimal digits; 0 otherwise.
DWORD ReadHexMask(const char* field, size_t length) {
  if (length < 2 + HexDigits || field[0] != '0' || field[1] != 'x') return 0;
  DWORD mask = 0;
  for (size_t i = 2; i < 2 + HexDigits; i++) {
    int digit = HexValue(field[i]);
    if (digit < 0) return 0;
    mask = mask << 4 | (DWORD)digit;
  }
  return mask;
}

struct Access {
  BYTE type;
  DWORD mask;         // 0: invalid access type
  size_t length;      // characters of the access field
};

Access ReadAccess(const PermissionEntry& entry) {
  if (!entry.hasColon || entry.fieldLength == 0) return {ACCESS_ALLOWED_ACE_TYPE, 0, 0};
  switch (entry.field[0]) {
    case 'F': case 'f': return {ACCESS_ALLOWED_ACE_TYPE, GENERIC_ALL, 1};
    case 'N': case 'n': return {ACCESS_DENIED_ACE_TYPE, GENERIC_ALL, 1};
    case 'R': case 'r': return {ACCESS_ALLOWED_ACE_TYPE, GENERIC_READ | GENERIC_EXECUTE, 1};
    case 'W': case 'w':
      return {ACCESS_ALLOWED_ACE_TYPE, GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | DELETE, 1};
    case 'X': case 'x': return {ACCESS_ALLOWED_ACE_TYPE, GENERIC_EXECUTE, 1};
    default:
      return {ACCESS_ALLOWED_ACE_TYPE, ReadHexMask(entry.field, entry.fieldLength), 2 + HexDigits};
  }
}

// The inheritance flags among `length` characters; other characters are ignored.
BYTE ReadFlags(const char* flags, size_t length) {
  BYTE bits = 0;
  for (size_t i = 0; i < length; i++) {
    switch (flags[i]) {
      case 'c': bits |= CONTAINER_INHERIT_ACE; break;
      case 'i': bits |= INHERIT_ONLY_ACE; break;
      case 'n': bits |= NO_PROPAGATE_INHERIT_ACE; break;
      case 'o': bits |= OBJECT_INHERIT_ACE; break;
      default: break;
    }
  }
  return bits;
}

bool AddPlainEntry(PACL dacl, const Access& access, PSID sid) {
  if (access.type == ACCESS_DENIED_ACE_TYPE) {
    if (AddAccessDeniedAce(dacl, ACL_REVISION, access.mask, sid)) return true;
    PrintError("ASEC-ERROR, AddAccessDeniedAce() failed, ACE ignored, error=%ld\n", (long)GetLastError());
    return false;
  }
  if (AddAccessAllowedAce(dacl, ACL_REVISION, access.mask, sid)) return true;
  PrintError("ASEC-ERROR, AddAccessAllowedAce() failed, ACE ignored, error=%ld\n", (long)GetLastError());
  return false;
}

// An entry with flags: type, flags, size, mask and SID, appended at the end.
bool AddFlaggedEntry(PACL dacl, const Access& access, BYTE flags, PSID sid) {
  alignas(4) BYTE ace[sizeof(ACE_HEADER) + sizeof(DWORD) + SidBufferSize];
  DWORD sidLength = GetLengthSid(sid);
  ACE_HEADER header = {access.type, flags, (WORD)(sizeof header + sizeof access.mask + sidLength)};
  memcpy(ace, &header, sizeof header);
  memcpy(ace + sizeof header, &access.mask, sizeof access.mask);
  memcpy(ace + sizeof header + sizeof access.mask, sid, sidLength);
  if (AddAce(dacl, ACL_REVISION, MAXDWORD, ace, header.AceSize)) return true;
  PrintError("ASEC-ERROR, AddAce() failed, ACE ignored, error=%ld\n", (long)GetLastError());
  return false;
}

bool AddEntry(const char* systemName, PACL dacl, const PermissionEntry& entry) {
  alignas(8) static BYTE sid[SidBufferSize];
  Access access = ReadAccess(entry);
  if (access.mask == 0) {
    PrintError("ASEC-ERROR, invalid access type for %s, ACE ignored\n", entry.account);
    return false;
  }
  if (!NameToSid(systemName, entry.account, sid)) {
    PrintError("ASEC-ERROR, cannot map username %s, ACE ignored\n", entry.account);
    return false;
  }
  if (access.length == entry.fieldLength) return AddPlainEntry(dacl, access, sid);
  return AddFlaggedEntry(dacl, access, ReadFlags(entry.field + access.length, entry.fieldLength - access.length),
                         sid);
}

}  // namespace

// The list reserves 40 bytes per entry of the text and 8 for its header, up
// to the whole buffer: past 102 entries, the entries that no longer fit are
// reported by the add messages (error 1344) and left out.
int BuildAcl(const char* systemName, const char* permissionText, PACL dacl) {
  DWORD entries = CountEntries(permissionText);
  DWORD size = entries > (DaclBufferSize - sizeof(ACL)) / AclEntryReserve
                   ? DaclBufferSize
                   : AclEntryReserve * entries + sizeof(ACL);
  if (!InitializeAcl(dacl, size, ACL_REVISION)) {
    PrintError("ASEC-ERROR, InitializeAcl() failed, error=%ld\n", (long)GetLastError());
    return 0;
  }
  int added = 0;
  PermissionEntry entry;
  for (const char* p = permissionText; *p;) {
    p = ReadEntry(p, entry);
    if (AddEntry(systemName, dacl, entry)) added++;
  }
  return added;
}
