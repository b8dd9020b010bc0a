// The /P of the copy commands: owner, group and DACL of a source copied onto
// its target, or only when the two descriptors differ.
#include <cstring>

#include "actions/action_pattern.h"
#include "actions/security_actions.h"
#include "security/ownership.h"

namespace {

constexpr DWORD SecurityBufferSize = 4096;
constexpr SECURITY_INFORMATION CopiedInformation =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

struct SecurityBuffer {
  alignas(8) unsigned char bytes[SecurityBufferSize];
};

// Owner, group and DACL of `path` in self-relative form, after one take-over
// when the read is refused with access denied.
bool ReadSecurity(const char* path, SecurityBuffer& buffer) {
  DWORD needed = 0;
  auto read = [&] { return GetFileSecurityA(path, CopiedInformation, buffer.bytes, sizeof buffer.bytes, &needed); };
  if (TryAction(read, path)) return true;
  return ActionFailed("KELTRO-ERROR, GetFileSecurity(%s) failed, error=%ld\n", path, (long)GetLastError());
}

}  // namespace

bool CopySecurity(const char* source, const char* target, PSECURITY_DESCRIPTOR sourceDescriptor) {
  InitOwnership();  // the restore privilege lets the source's owner be given; its result does not matter
  SecurityBuffer read;
  if (!sourceDescriptor) {
    if (!ReadSecurity(source, read)) return false;
    sourceDescriptor = read.bytes;
  }
  if (!TryAction([&] { return SetFileSecurityA(target, CopiedInformation, sourceDescriptor); }, target)) {
    return ActionFailed("KELTRO-ERROR, SetFileSecurity(%s) failed, error=%ld\n", target, (long)GetLastError());
  }
  PrintOutput("KELTRO-INFO, replace security: %s\n", target);
  Stats.ProtectionsReplaced++;
  return true;
}

// The buffers are cleared and compared whole, so equal descriptors compare
// equal whatever their length.
bool SyncSecurity(const char* source, const char* target) {
  InitOwnership();
  SecurityBuffer sourceSecurity = {}, targetSecurity = {};
  if (!ReadSecurity(source, sourceSecurity) || !ReadSecurity(target, targetSecurity)) return false;
  if (memcmp(sourceSecurity.bytes, targetSecurity.bytes, SecurityBufferSize) == 0) return true;
  return CopySecurity(source, target, sourceSecurity.bytes);
}
