// SIDs, access lists and descriptors in memory: entries kept in the order
// they were added, the list's size never exceeded, both descriptor forms
// read alike.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/posix/security_descriptor.h"
#include "platform/posix/unix_sid.h"

namespace {

struct Sid {
  BYTE bytes[kUnixSidSize];
  Sid(DWORD kind, DWORD id) { WriteUnixSid(bytes, kind, id); }
};

// An entry with flags as a caller builds it: header, mask, SID.
struct FlaggedEntry {
  BYTE bytes[64];
  DWORD size;
  FlaggedEntry(BYTE type, BYTE flags, DWORD mask, const Sid& sid) {
    size = 8 + kUnixSidSize;
    ACE_HEADER header{type, flags, (WORD)size};
    memcpy(bytes, &header, 4);
    memcpy(bytes + 4, &mask, 4);
    memcpy(bytes + 8, sid.bytes, kUnixSidSize);
  }
};

ACCESS_ALLOWED_ACE* Entry(PACL acl, DWORD index) {
  void* ace = nullptr;
  EXPECT_TRUE(GetAce(acl, index, &ace));
  return static_cast<ACCESS_ALLOWED_ACE*>(ace);
}

TEST(SecurityLists, SidsCompareByValueAndKnowTheirLength) {
  Sid alice(kUnixUserSid, 1000), alsoAlice(kUnixUserSid, 1000), staff(kUnixGroupSid, 1000);
  EXPECT_EQ(GetLengthSid(alice.bytes), kUnixSidSize);
  EXPECT_TRUE(EqualSid(alice.bytes, alsoAlice.bytes));
  EXPECT_FALSE(EqualSid(alice.bytes, staff.bytes));
  BYTE damaged[kUnixSidSize];
  memcpy(damaged, alice.bytes, sizeof damaged);
  damaged[1] = 16;  // more sub-authorities than a SID may have
  EXPECT_FALSE(IsValidSid(damaged));
  EXPECT_EQ(GetLengthSid(damaged), 0u);
}

TEST(SecurityLists, EntriesKeepTheirOrderAndInsertionPlace) {
  alignas(4) BYTE buffer[4096];
  PACL acl = reinterpret_cast<PACL>(buffer);
  Sid alice(kUnixUserSid, 1000), bob(kUnixUserSid, 1001), staff(kUnixGroupSid, 50);
  ASSERT_TRUE(InitializeAcl(acl, 3 * 40 + 8, ACL_REVISION));
  ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, alice.bytes));
  ASSERT_TRUE(AddAccessDeniedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, bob.bytes));
  FlaggedEntry inherited(ACCESS_ALLOWED_ACE_TYPE, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, 0xA0000000, staff);
  ASSERT_TRUE(AddAce(acl, ACL_REVISION, 0, inherited.bytes, inherited.size));  // before the first
  ASSERT_EQ(acl->AceCount, 3);
  EXPECT_EQ(Entry(acl, 0)->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
  EXPECT_TRUE(EqualSid(&Entry(acl, 0)->SidStart, staff.bytes));
  EXPECT_EQ(Entry(acl, 1)->Mask, (DWORD)GENERIC_ALL);
  EXPECT_EQ(Entry(acl, 2)->Header.AceType, ACCESS_DENIED_ACE_TYPE);
  EXPECT_TRUE(EqualSid(&Entry(acl, 2)->SidStart, bob.bytes));
  void* ace;
  EXPECT_FALSE(GetAce(acl, 3, &ace));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(SecurityLists, AListNeverGrowsPastItsSize) {
  alignas(4) BYTE buffer[64];
  memset(buffer, 0xEE, sizeof buffer);
  PACL acl = reinterpret_cast<PACL>(buffer);
  Sid alice(kUnixUserSid, 1000);
  ASSERT_TRUE(InitializeAcl(acl, 8 + 24, ACL_REVISION));  // room for one entry
  EXPECT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, alice.bytes));
  EXPECT_FALSE(AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, alice.bytes));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALLOTTED_SPACE_EXCEEDED);
  EXPECT_EQ(acl->AceCount, 1);
  EXPECT_EQ(buffer[32], 0xEE);  // the byte past the list is untouched
  FlaggedEntry entry(ACCESS_ALLOWED_ACE_TYPE, 0, GENERIC_ALL, alice);
  EXPECT_FALSE(AddAce(acl, ACL_REVISION, MAXDWORD, entry.bytes, entry.size - 1));  // not whole entries
  EXPECT_FALSE(InitializeAcl(acl, 4, ACL_REVISION));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
}

TEST(SecurityLists, SelfRelativeDescriptorReadsAsTheAbsoluteOne) {
  alignas(4) BYTE aclBuffer[64];
  PACL acl = reinterpret_cast<PACL>(aclBuffer);
  Sid alice(kUnixUserSid, 1000), staff(kUnixGroupSid, 50);
  ASSERT_TRUE(InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION));
  ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, alice.bytes));
  SECURITY_DESCRIPTOR absolute;
  ASSERT_TRUE(InitializeSecurityDescriptor(&absolute, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorOwner(&absolute, alice.bytes, FALSE));
  absolute.Group = staff.bytes;
  ASSERT_TRUE(SetSecurityDescriptorDacl(&absolute, TRUE, acl, FALSE));
  DescriptorParts parts;
  ASSERT_TRUE(ReadDescriptor(&absolute, parts));

  alignas(4) BYTE relative[256];
  DWORD needed = 0;
  EXPECT_EQ(WriteSelfRelative(parts, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, relative, 20, needed),
            (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(needed, 20u + kUnixSidSize + sizeof aclBuffer);
  ASSERT_EQ(WriteSelfRelative(parts, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, relative,
                              sizeof relative, needed), (DWORD)ERROR_SUCCESS);
  EXPECT_TRUE(IsValidSecurityDescriptor(relative));
  PSID owner;
  BOOL defaulted, present;
  PACL dacl;
  ASSERT_TRUE(GetSecurityDescriptorOwner(relative, &owner, &defaulted));
  EXPECT_TRUE(EqualSid(owner, alice.bytes));
  ASSERT_TRUE(GetSecurityDescriptorDacl(relative, &present, &dacl, &defaulted));
  ASSERT_TRUE(present);
  EXPECT_EQ(memcmp(dacl, aclBuffer, sizeof aclBuffer), 0);
  ASSERT_TRUE(ReadDescriptor(relative, parts));
  EXPECT_EQ(parts.group, nullptr);  // not asked for

  ASSERT_TRUE(SetSecurityDescriptorDacl(&absolute, TRUE, nullptr, FALSE));  // the null DACL
  ASSERT_TRUE(ReadDescriptor(&absolute, parts));
  ASSERT_EQ(WriteSelfRelative(parts, DACL_SECURITY_INFORMATION, relative, sizeof relative, needed),
            (DWORD)ERROR_SUCCESS);
  ASSERT_TRUE(GetSecurityDescriptorDacl(relative, &present, &dacl, &defaulted));
  EXPECT_TRUE(present);
  EXPECT_EQ(dacl, nullptr);
}

}  // namespace
