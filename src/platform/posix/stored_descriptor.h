// The exact descriptor SetFileSecurityA was given, kept beside the POSIX ACL
// it became (as Samba's acl_xattr keeps the NT ACL), so that what was set is
// what is read back, deny entries and their order included.
//
// It lives in the extended attribute user.keltro.sd of a file or directory
// (other kinds cannot hold user attributes): a format byte (1), seven zero
// bytes, the 64-bit fingerprint (little-endian), then the self-relative
// descriptor (owner, group and DACL, or the null DACL). The fingerprint is
// FNV-1a over the owner, group and st_mode and the bytes of the access and
// default ACL attributes as they were after the set: any change made since
// (chmod, chown, setfacl) changes it, and the descriptor derived from the
// POSIX security is read instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/posix/derived_descriptor.h"

constexpr const char* kStoredDescriptorXattr = "user.keltro.sd";

uint64_t FingerprintOf(const PosixSecurity& security);

// The stored descriptor of path when it is well formed and its fingerprint
// is fingerprint; empty otherwise (also when the caller may not read it).
// 0, or the errno of a read that failed.
int ReadStoredDescriptor(const std::string& path, uint64_t fingerprint, std::string& descriptor);

// Stores descriptor (self-relative) with fingerprint; where that fails, an
// older one is removed, so that it cannot show.
void StoreDescriptor(const std::string& path, uint64_t fingerprint, std::string_view descriptor);
