#include "platform/posix/unix_sid.h"

#include <cstring>

namespace {

constexpr BYTE kSidRevision = 1;
constexpr BYTE kUnixAuthority[6] = {0, 0, 0, 0, 0, 22};

}  // namespace

void WriteUnixSid(void* sid, DWORD kind, DWORD id) {
  BYTE* bytes = static_cast<BYTE*>(sid);
  bytes[0] = kSidRevision;
  bytes[1] = 2;
  memcpy(bytes + 2, kUnixAuthority, sizeof kUnixAuthority);
  memcpy(bytes + 8, &kind, sizeof kind);
  memcpy(bytes + 12, &id, sizeof id);
}

bool ReadUnixSid(const void* sid, DWORD& kind, DWORD& id) {
  const BYTE* bytes = static_cast<const BYTE*>(sid);
  if (!sid || bytes[0] != kSidRevision || bytes[1] != 2) return false;
  if (memcmp(bytes + 2, kUnixAuthority, sizeof kUnixAuthority) != 0) return false;
  memcpy(&kind, bytes + 8, sizeof kind);
  memcpy(&id, bytes + 12, sizeof id);
  return kind == kUnixUserSid || kind == kUnixGroupSid;
}
