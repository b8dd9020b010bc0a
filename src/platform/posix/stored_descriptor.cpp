#include "platform/posix/stored_descriptor.h"

#include <cerrno>
#include <cstring>

#include "platform/posix/nt_acl.h"
#include "platform/posix/syscalls.h"

namespace {

constexpr char kFormat = 1;
constexpr size_t kPrefixSize = 16;  // format byte, seven zero bytes, fingerprint
constexpr size_t kHeaderSize = 20;  // of a self-relative descriptor: revision, Sbz1, control, four offsets
constexpr size_t kSidFixed = 8;

class Fnv1a {
 public:
  void Add(const void* data, size_t length) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    for (size_t i = 0; i < length; i++) hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ull;
  }
  void Add(const std::string& bytes) {
    uint64_t length = bytes.size();
    Add(&length, sizeof length);
    Add(bytes.data(), bytes.size());
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ull;
};

// True when descriptor is self-relative and every part it names lies within it.
bool PartsWithin(std::string_view descriptor) {
  if (descriptor.size() < kHeaderSize || descriptor[0] != SECURITY_DESCRIPTOR_REVISION) return false;
  SECURITY_DESCRIPTOR_CONTROL control;
  DWORD offsets[4];
  memcpy(&control, descriptor.data() + 2, sizeof control);
  memcpy(offsets, descriptor.data() + 4, sizeof offsets);
  if (!(control & SE_SELF_RELATIVE) || offsets[2]) return false;
  auto at = [&](DWORD offset) { return const_cast<char*>(descriptor.data()) + offset; };
  for (DWORD offset : {offsets[0], offsets[1]}) {
    if (offset && (offset + kSidFixed > descriptor.size() || !IsValidSid(at(offset)) ||
                   offset + GetLengthSid(at(offset)) > descriptor.size()))
      return false;
  }
  if (!offsets[3]) return true;
  if (offsets[3] + sizeof(ACL) > descriptor.size()) return false;
  const ACL* dacl = reinterpret_cast<const ACL*>(at(offsets[3]));
  std::vector<AceEntry> entries;
  return offsets[3] + dacl->AclSize <= descriptor.size() && EntriesOfAcl(dacl, entries);
}

}  // namespace

uint64_t FingerprintOf(const PosixSecurity& security) {
  Fnv1a hash;
  DWORD ids[3] = {security.uid, security.gid, security.mode};
  hash.Add(ids, sizeof ids);
  hash.Add(security.accessBytes);
  hash.Add(security.defaultBytes);
  return hash.Value();
}

int ReadStoredDescriptor(const std::string& path, uint64_t fingerprint, std::string& descriptor) {
  // A user attribute is read as the file's content is: without read access
  // the derived descriptor shows (the ACL attributes need none).
  int err = ReadXattr(path, kStoredDescriptorXattr, descriptor);
  if (err && err != EACCES && err != EPERM) return err;
  uint64_t stored = 0;
  if (descriptor.size() >= kPrefixSize) memcpy(&stored, descriptor.data() + 8, sizeof stored);
  if (descriptor.size() < kPrefixSize || descriptor[0] != kFormat || stored != fingerprint ||
      !PartsWithin(std::string_view(descriptor).substr(kPrefixSize)))
    descriptor.clear();
  else
    descriptor.erase(0, kPrefixSize);
  return 0;
}

void StoreDescriptor(const std::string& path, uint64_t fingerprint, std::string_view descriptor) {
  std::string value(kPrefixSize, '\0');
  value[0] = kFormat;
  memcpy(value.data() + 8, &fingerprint, sizeof fingerprint);
  value.append(descriptor);
  if (Sys.setxattr(path.c_str(), kStoredDescriptorXattr, value.data(), value.size(), 0) != 0)
    RemoveXattr(path, kStoredDescriptorXattr);
}
