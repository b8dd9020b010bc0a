// Binary security identifiers: revision 1, a count of sub-authorities (at
// most 15), a 48-bit big-endian identifier authority, then the
// sub-authorities as 32-bit numbers in the machine's order.
#include <cstring>

#include "platform/posix/layer.h"

namespace {

constexpr BYTE kSidRevision = 1;
constexpr BYTE kMaxSubAuthorities = 15;

const BYTE* SidBytes(PSID sid) { return static_cast<const BYTE*>(sid); }

}  // namespace

BOOL IsValidSid(PSID pSid) {
  if (!pSid) return FALSE;
  const BYTE* bytes = SidBytes(pSid);
  return bytes[0] == kSidRevision && bytes[1] <= kMaxSubAuthorities;
}

// The length of a valid SID; 0 for anything else (as Windows leaves it undefined).
DWORD GetLengthSid(PSID pSid) {
  if (!IsValidSid(pSid)) return 0;
  return 8 + 4 * (DWORD)SidBytes(pSid)[1];
}

BOOL EqualSid(PSID pSid1, PSID pSid2) {
  if (!IsValidSid(pSid1) || !IsValidSid(pSid2)) return FailWith(ERROR_INVALID_SID);
  DWORD length = GetLengthSid(pSid1);
  SetLastError(ERROR_SUCCESS);
  return length == GetLengthSid(pSid2) && memcmp(pSid1, pSid2, length) == 0;
}
