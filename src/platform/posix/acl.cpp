// Access-control lists: an 8-byte header (revision, size of the whole
// buffer, entry count) followed by the entries, each starting with its type,
// flags and size. Entries are written in place; the list never grows past
// the size it was initialised with.
#include <cstring>

#include "platform/posix/layer.h"

namespace {

constexpr DWORD kMinAclRevision = 2;  // ACL_REVISION
constexpr DWORD kMaxAclRevision = 4;  // ACL_REVISION_DS
constexpr DWORD kMaxAclSize = 0xFFFC;

BYTE* AclBytes(PACL acl) { return reinterpret_cast<BYTE*>(acl); }

// The offset just past the first `count` entries, or 0 when the list's
// entries do not fit its size (a damaged list).
DWORD OffsetAfter(const ACL* acl, DWORD count) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(acl);
  DWORD offset = sizeof(ACL);
  for (DWORD i = 0; i < count; ++i) {
    if (offset + sizeof(ACE_HEADER) > acl->AclSize) return 0;
    WORD size;
    memcpy(&size, bytes + offset + offsetof(ACE_HEADER, AceSize), sizeof size);
    if (size < sizeof(ACE_HEADER) || offset + size > acl->AclSize) return 0;
    offset += size;
  }
  return offset;
}

bool IsUsableAcl(const ACL* acl) {
  return acl && acl->AclRevision >= kMinAclRevision && acl->AclRevision <= kMaxAclRevision &&
         acl->AclSize >= sizeof(ACL) && OffsetAfter(acl, acl->AceCount) != 0;
}

// The number of whole entries in `list` (`length` bytes), or -1 when the
// list does not end on an entry's end.
long CountEntries(const BYTE* list, DWORD length) {
  long count = 0;
  DWORD offset = 0;
  while (offset < length) {
    if (length - offset < sizeof(ACE_HEADER)) return -1;
    WORD size;
    memcpy(&size, list + offset + offsetof(ACE_HEADER, AceSize), sizeof size);
    if (size < sizeof(ACE_HEADER) || size > length - offset) return -1;
    offset += size;
    ++count;
  }
  return count;
}

// Inserts `length` bytes of `count` entries before entry `index` (past the
// last entry when index is beyond it).
BOOL InsertEntries(PACL acl, DWORD revision, DWORD index, const BYTE* list, DWORD length, DWORD count) {
  if (!IsUsableAcl(acl)) return FailWith(ERROR_INVALID_ACL);
  if (revision < kMinAclRevision || revision > kMaxAclRevision) return FailWith(ERROR_INVALID_PARAMETER);
  DWORD end = OffsetAfter(acl, acl->AceCount);
  if (length > acl->AclSize - end) return FailWith(ERROR_ALLOTTED_SPACE_EXCEEDED);
  DWORD at = index >= acl->AceCount ? end : OffsetAfter(acl, index);
  BYTE* bytes = AclBytes(acl);
  memmove(bytes + at + length, bytes + at, end - at);
  memcpy(bytes + at, list, length);
  acl->AceCount = (WORD)(acl->AceCount + count);
  if (revision > acl->AclRevision) acl->AclRevision = (BYTE)revision;
  return Succeed();
}

// One allowed or denied entry without flags.
BOOL AddMaskEntry(PACL acl, DWORD revision, BYTE type, DWORD mask, PSID sid) {
  if (!IsValidSid(sid)) return FailWith(ERROR_INVALID_SID);
  BYTE entry[sizeof(ACE_HEADER) + sizeof(DWORD) + 8 + 4 * 15];
  DWORD sidLength = GetLengthSid(sid);
  ACE_HEADER header{type, 0, (WORD)(sizeof(ACE_HEADER) + sizeof(DWORD) + sidLength)};
  memcpy(entry, &header, sizeof header);
  memcpy(entry + sizeof header, &mask, sizeof mask);
  memcpy(entry + sizeof header + sizeof mask, sid, sidLength);
  return InsertEntries(acl, revision, MAXDWORD, entry, header.AceSize, 1);
}

}  // namespace

BOOL InitializeAcl(PACL pAcl, DWORD nAclLength, DWORD dwAclRevision) {
  if (!pAcl) return FailWith(ERROR_INVALID_PARAMETER);
  if (nAclLength < sizeof(ACL)) return FailWith(ERROR_INSUFFICIENT_BUFFER);
  if (nAclLength > kMaxAclSize + 3 || dwAclRevision < kMinAclRevision || dwAclRevision > kMaxAclRevision)
    return FailWith(ERROR_INVALID_PARAMETER);
  *pAcl = ACL{(BYTE)dwAclRevision, 0, (WORD)(nAclLength & ~3u), 0, 0};
  return Succeed();
}

BOOL AddAccessAllowedAce(PACL pAcl, DWORD dwAceRevision, DWORD AccessMask, PSID pSid) {
  return AddMaskEntry(pAcl, dwAceRevision, ACCESS_ALLOWED_ACE_TYPE, AccessMask, pSid);
}

BOOL AddAccessDeniedAce(PACL pAcl, DWORD dwAceRevision, DWORD AccessMask, PSID pSid) {
  return AddMaskEntry(pAcl, dwAceRevision, ACCESS_DENIED_ACE_TYPE, AccessMask, pSid);
}

BOOL AddAce(PACL pAcl, DWORD dwAceRevision, DWORD dwStartingAceIndex, LPVOID pAceList, DWORD nAceListLength) {
  if (!pAceList) return FailWith(ERROR_INVALID_PARAMETER);
  const BYTE* list = static_cast<const BYTE*>(pAceList);
  long count = CountEntries(list, nAceListLength);
  if (count < 0) return FailWith(ERROR_INVALID_PARAMETER);
  return InsertEntries(pAcl, dwAceRevision, dwStartingAceIndex, list, nAceListLength, (DWORD)count);
}

BOOL GetAce(PACL pAcl, DWORD dwAceIndex, LPVOID* pAce) {
  if (!IsUsableAcl(pAcl) || !pAce) return FailWith(ERROR_INVALID_PARAMETER);
  if (dwAceIndex >= pAcl->AceCount) return FailWith(ERROR_INVALID_PARAMETER);
  *pAce = AclBytes(pAcl) + OffsetAfter(pAcl, dwAceIndex);
  return Succeed();
}
