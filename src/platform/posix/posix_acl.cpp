#include "platform/posix/posix_acl.h"

#include <linux/posix_acl_xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/posix/syscalls.h"

namespace {

constexpr size_t kHeaderSize = sizeof(posix_acl_xattr_header);
constexpr size_t kEntrySize = sizeof(posix_acl_xattr_entry);
constexpr size_t kFirstTry = 256;  // most attributes fit: one call

bool Absent(int err) { return err == ENODATA || err == ENOTSUP; }

bool Before(const PosixAclEntry& a, const PosixAclEntry& b) { return a.tag != b.tag ? a.tag < b.tag : a.id < b.id; }

// Entries of one tag and id become one.
void Merge(PosixAcl& acl) {
  std::sort(acl.begin(), acl.end(), Before);
  PosixAcl merged;
  for (const PosixAclEntry& entry : acl) {
    if (!merged.empty() && merged.back().tag == entry.tag && merged.back().id == entry.id)
      merged.back().perm |= entry.perm;
    else
      merged.push_back(entry);
  }
  acl.swap(merged);
}

// With named entries, the mask is the union of the group class (named
// users, owning group, named groups).
void ComputeMask(PosixAcl& acl) {
  acl.erase(std::remove_if(acl.begin(), acl.end(), [](auto& e) { return e.tag == ACL_MASK; }), acl.end());
  WORD mask = 0;
  bool named = false;
  for (const PosixAclEntry& entry : acl) {
    named |= entry.tag == ACL_USER || entry.tag == ACL_GROUP;
    if (entry.tag == ACL_USER || entry.tag == ACL_GROUP_OBJ || entry.tag == ACL_GROUP) mask |= entry.perm;
  }
  if (named) acl.push_back({ACL_MASK, mask, (DWORD)ACL_UNDEFINED_ID});
}

// The kernel wants the entries by tag, then id.
void Sort(PosixAcl& acl) { std::sort(acl.begin(), acl.end(), Before); }

std::string XattrForm(const PosixAcl& acl) {
  std::string bytes(kHeaderSize + kEntrySize * acl.size(), '\0');
  posix_acl_xattr_header header{POSIX_ACL_XATTR_VERSION};
  memcpy(bytes.data(), &header, kHeaderSize);
  for (size_t i = 0; i < acl.size(); i++) {
    bool named = acl[i].tag == ACL_USER || acl[i].tag == ACL_GROUP;
    posix_acl_xattr_entry entry{acl[i].tag, acl[i].perm, named ? acl[i].id : (DWORD)ACL_UNDEFINED_ID};
    memcpy(bytes.data() + kHeaderSize + i * kEntrySize, &entry, kEntrySize);
  }
  return bytes;
}

}  // namespace

int ReadXattr(const std::string& path, const char* name, std::string& value) {
  value.resize(kFirstTry);
  for (;;) {
    ssize_t length = Sys.getxattr(path.c_str(), name, value.data(), value.size());
    if (length >= 0) {
      value.resize(length);
      return 0;
    }
    int err = errno;
    value.clear();
    if (Absent(err)) return 0;
    if (err != ERANGE) return err;
    length = Sys.getxattr(path.c_str(), name, nullptr, 0);
    if (length < 0) return Absent(errno) ? 0 : errno;
    value.resize(length + 1);  // never 0: a call with size 0 reads nothing
  }
}

bool ParsePosixAcl(std::string_view bytes, PosixAcl& acl) {
  acl.clear();
  posix_acl_xattr_header header;
  if (bytes.size() < kHeaderSize || (bytes.size() - kHeaderSize) % kEntrySize) return false;
  memcpy(&header, bytes.data(), kHeaderSize);
  if (header.a_version != POSIX_ACL_XATTR_VERSION) return false;
  for (size_t at = kHeaderSize; at < bytes.size(); at += kEntrySize) {
    posix_acl_xattr_entry entry;
    memcpy(&entry, bytes.data() + at, kEntrySize);
    acl.push_back({entry.e_tag, (WORD)(entry.e_perm & 7), entry.e_id});
  }
  return true;
}

int WritePosixAcl(const std::string& path, const char* name, PosixAcl acl) {
  if (acl.empty()) return RemoveXattr(path, name);
  Merge(acl);
  ComputeMask(acl);
  Sort(acl);
  std::string bytes = XattrForm(acl);
  return Sys.setxattr(path.c_str(), name, bytes.data(), bytes.size(), 0) == 0 ? 0 : errno;
}

int RemoveXattr(const std::string& path, const char* name) {
  return Sys.removexattr(path.c_str(), name) == 0 || Absent(errno) ? 0 : errno;
}

int PermissionBitsOf(const PosixAcl& acl) {
  int bits = 0;
  for (const PosixAclEntry& entry : acl) {
    if (entry.tag == ACL_USER_OBJ) bits |= entry.perm << 6;
    else if (entry.tag == ACL_GROUP_OBJ) bits |= entry.perm << 3;
    else if (entry.tag == ACL_OTHER) bits |= entry.perm;
    else return -1;
  }
  return bits;
}
