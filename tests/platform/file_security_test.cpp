// File security over POSIX owners, modes and ACLs: the DACL derived from
// them, the closest POSIX ACL a DACL becomes, and the exact descriptor shown
// while nothing else changed the file. Runs as root (or the files' owner).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "files_fixture.h"
#include "platform/posix/unix_sid.h"

namespace {

constexpr SECURITY_INFORMATION kAll =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
constexpr DWORD kNobody = 65534;  // the user nobody and the group nogroup
constexpr BYTE kInheritOnly = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE;
const BYTE kEveryone[12] = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
const BYTE kCreatorOwner[12] = {1, 1, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0};
const BYTE kAdministrators[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};

struct Sid {
  BYTE bytes[kUnixSidSize];
  Sid(DWORD kind, DWORD id) { WriteUnixSid(bytes, kind, id); }
};

std::string SidText(const void* sid) {
  const BYTE* bytes = static_cast<const BYTE*>(sid);
  std::string text = "S-1-" + std::to_string(bytes[7]);
  for (int i = 0; i < bytes[1]; i++) {
    DWORD sub;
    memcpy(&sub, bytes + 8 + 4 * i, 4);
    text += "-" + std::to_string(sub);
  }
  return text;
}

// A DACL built entry by entry, as a caller builds one.
struct Dacl {
  alignas(4) BYTE bytes[512];
  Dacl() { EXPECT_TRUE(InitializeAcl(acl(), sizeof bytes, ACL_REVISION)); }
  PACL acl() { return reinterpret_cast<PACL>(bytes); }
  Dacl& Add(BYTE type, BYTE flags, DWORD mask, const void* sid) {
    BYTE entry[64];
    DWORD sidLength = GetLengthSid(const_cast<void*>(sid));
    ACE_HEADER header{type, flags, (WORD)(8 + sidLength)};
    memcpy(entry, &header, 4);
    memcpy(entry + 4, &mask, 4);
    memcpy(entry + 8, sid, sidLength);
    EXPECT_TRUE(AddAce(acl(), ACL_REVISION, MAXDWORD, entry, header.AceSize));
    return *this;
  }
};

class FileSecurityTest : public MappedTreeTest {
 protected:
  static DWORD Result(BOOL ok) { return ok ? 0 : GetLastError(); }

  // The descriptor GetFileSecurityA gives, asked for with no room first.
  static std::vector<BYTE> Get(const char* path, SECURITY_INFORMATION info = kAll) {
    DWORD needed = 0;
    EXPECT_EQ(Result(GetFileSecurityA(path, info, nullptr, 0, &needed)), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> descriptor(needed);
    EXPECT_TRUE(GetFileSecurityA(path, info, descriptor.data(), needed, &needed)) << GetLastError();
    EXPECT_EQ(needed, descriptor.size());
    return descriptor;
  }
  static PACL DaclOf(std::vector<BYTE>& descriptor) {
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    EXPECT_TRUE(GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    return dacl;
  }
  // The DACL's entries, one "A|D flags mask SID" line each; "null" for the null DACL.
  static std::string Entries(PACL dacl) {
    if (!dacl) return "null";
    std::string text;
    for (DWORD i = 0; i < dacl->AceCount; i++) {
      void* ace = nullptr;
      EXPECT_TRUE(GetAce(dacl, i, &ace));
      auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
      char line[64];
      snprintf(line, sizeof line, "%c %02X %08X ", entry->Header.AceType ? 'D' : 'A', entry->Header.AceFlags,
               (unsigned)entry->Mask);
      text += line + SidText(&entry->SidStart) + "\n";
    }
    return text;
  }
  static std::string Owner(std::vector<BYTE>& descriptor) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    EXPECT_TRUE(GetSecurityDescriptorOwner(descriptor.data(), &owner, &defaulted));
    return owner ? SidText(owner) : "none";
  }
  // What a shell command prints.
  static std::string Run(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) out += buffer;
    EXPECT_EQ(pipe ? pclose(pipe) : -1, 0) << command;
    return out;
  }
  std::string Facl(const std::string& relative) { return Run("getfacl -cnEp " + tree_.path(relative)); }
  BOOL Set(const char* path, SECURITY_INFORMATION info, PACL dacl, PSID owner = nullptr, PSID group = nullptr) {
    SECURITY_DESCRIPTOR descriptor;
    EXPECT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    descriptor.Owner = owner, descriptor.Group = group;
    EXPECT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE));
    return SetFileSecurityA(path, info, &descriptor);
  }
  std::string Ids(const std::string& relative) {
    struct stat st = {};
    EXPECT_EQ(lstat(tree_.path(relative).c_str(), &st), 0);
    return "-" + std::to_string(st.st_uid) + "/-" + std::to_string(st.st_gid);
  }
};

// Owner, named users, owning group, named groups (limited by the mask), then
// others; the default ACL as inherit-only entries; a link's DACL is null.
TEST_F(FileSecurityTest, TheDaclIsDerivedFromModeBitsAndPosixAcls) {
  tree_.file("f");
  tree_.dir("d");
  ASSERT_EQ(chmod(tree_.path("f").c_str(), 0750), 0);
  ASSERT_EQ(chmod(tree_.path("d").c_str(), 0750), 0);
  Run("setfacl -m u:65534:rw-,g:65534:r--,m::r-x,o::--x,d:u::rwx,d:u:65534:rwx,d:g::r-x,d:m::r-x,d:o::--- " +
      tree_.path("d"));
  fs::create_symlink("f", tree_.path("l"));
  std::string ids = Ids("f"), user = ids.substr(1, ids.find('/') - 1), group = ids.substr(ids.find('/') + 2);

  std::vector<BYTE> file = Get("T:\\f");
  EXPECT_EQ(Owner(file), "S-1-22-1-" + user);
  EXPECT_EQ(Entries(DaclOf(file)), "A 00 001F01FF S-1-22-1-" + user + "\nA 00 001200A9 S-1-22-2-" + group + "\n");
  std::vector<BYTE> dir = Get("T:\\d");
  EXPECT_EQ(Entries(DaclOf(dir)),
            "A 00 001F01FF S-1-22-1-" + user + "\n"
            "A 00 00120089 S-1-22-1-65534\n"
            "A 00 001200A9 S-1-22-2-" + group + "\n"
            "A 00 00120089 S-1-22-2-65534\n"
            "A 00 001200A0 S-1-1-0\n"
            "A 0B 001F01FF S-1-3-0\n"
            "A 0B 001200A9 S-1-22-1-65534\n"
            "A 0B 001200A9 S-1-3-1\n");
  std::vector<BYTE> link = Get("T:\\l");
  EXPECT_EQ(Owner(link), "S-1-22-1-" + user);
  EXPECT_EQ(Entries(DaclOf(link)), "null");
  std::vector<BYTE> ownerOnly = Get("T:\\d", OWNER_SECURITY_INFORMATION);
  EXPECT_EQ(ownerOnly.size(), 20u + kUnixSidSize);

  ASSERT_TRUE(ArmSyscallFault({.call = "getxattr", .err = EACCES, .when = [](int, const char* name) {
                                 return strcmp(name, "system.posix_acl_access") == 0;
                               }}));
  DWORD needed = 0;
  EXPECT_EQ(Result(GetFileSecurityA("T:\\d", DACL_SECURITY_INFORMATION, nullptr, 0, &needed)),
            (DWORD)ERROR_ACCESS_DENIED);
}

// Deny entries and their order are shown as set until something else
// changes the file; a change of owner alone keeps them.
TEST_F(FileSecurityTest, ASetDaclIsShownExactlyUntilAnOutsideChange) {
  tree_.dir("d");
  std::string ids = Ids("d");
  DWORD uid = std::stoul(ids.substr(1)), gid = std::stoul(ids.substr(ids.find('/') + 2));
  Sid nobody(kUnixUserSid, kNobody), owner(kUnixUserSid, uid);
  Dacl dacl;
  dacl.Add(ACCESS_DENIED_ACE_TYPE, 0, FILE_GENERIC_WRITE, nobody.bytes)
      .Add(ACCESS_ALLOWED_ACE_TYPE, 0, GENERIC_ALL, nobody.bytes)
      .Add(ACCESS_ALLOWED_ACE_TYPE, 0, FILE_ALL_ACCESS, owner.bytes)
      .Add(ACCESS_ALLOWED_ACE_TYPE, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, FILE_GENERIC_READ, kEveryone)
      .Add(ACCESS_ALLOWED_ACE_TYPE, kInheritOnly, FILE_ALL_ACCESS, kCreatorOwner);
  ASSERT_TRUE(Set("T:\\d", DACL_SECURITY_INFORMATION, dacl.acl())) << GetLastError();
  EXPECT_EQ(Facl("d"),
            "user::rwx\nuser:65534:r-x\ngroup::---\nmask::r-x\nother::r--\n"
            "default:user::rwx\ndefault:group::---\ndefault:other::r--\n\n");
  std::vector<BYTE> shown = Get("T:\\d");
  ASSERT_NE(DaclOf(shown), nullptr);
  EXPECT_EQ(DaclOf(shown)->AclSize, dacl.acl()->AclSize);
  EXPECT_EQ(memcmp(DaclOf(shown), dacl.bytes, dacl.acl()->AclSize), 0);

  Sid group(kUnixGroupSid, gid);
  ASSERT_TRUE(Set("T:\\d", OWNER_SECURITY_INFORMATION, nullptr, nobody.bytes, group.bytes)) << GetLastError();
  shown = Get("T:\\d");
  EXPECT_EQ(Owner(shown), "S-1-22-1-65534");
  EXPECT_EQ(Entries(DaclOf(shown)), Entries(dacl.acl()));

  ASSERT_EQ(chmod(tree_.path("d").c_str(), 0700), 0);  // the mask becomes ---
  shown = Get("T:\\d");
  EXPECT_EQ(Entries(DaclOf(shown)),
            "A 00 001F01FF S-1-22-1-65534\n"
            "A 0B 001F01FF S-1-3-0\n"
            "A 0B 00120089 S-1-1-0\n");
}

// An empty DACL leaves no one any access; owner and group change with it; a
// SID of no account, and a list of entries on a link, change nothing; the
// null DACL is shown as set.
TEST_F(FileSecurityTest, AnEmptyDaclShutsEveryoneOut) {
  tree_.file("f");
  fs::create_symlink("f", tree_.path("l"));
  Run("setfacl -m u:65534:r " + tree_.path("f"));
  Dacl foreign;
  foreign.Add(ACCESS_ALLOWED_ACE_TYPE, 0, FILE_ALL_ACCESS, kAdministrators);
  EXPECT_EQ(Result(Set("T:\\f", DACL_SECURITY_INFORMATION, foreign.acl())), (DWORD)ERROR_NONE_MAPPED);
  EXPECT_EQ(Result(Set("T:\\l", DACL_SECURITY_INFORMATION, foreign.acl())), (DWORD)ERROR_NOT_SUPPORTED);
  EXPECT_NE(Facl("f").find("user:65534:r--"), std::string::npos);

  Sid nobody(kUnixUserSid, kNobody), nogroup(kUnixGroupSid, kNobody);
  Dacl empty;
  ASSERT_TRUE(Set("T:\\f", kAll, empty.acl(), nobody.bytes, nogroup.bytes)) << GetLastError();
  struct stat st = {};
  ASSERT_EQ(lstat(tree_.path("f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0u);
  EXPECT_EQ(Ids("f"), "-65534/-65534");
  EXPECT_EQ(getxattr(tree_.path("f").c_str(), "system.posix_acl_access", nullptr, 0), -1);
  std::vector<BYTE> shown = Get("T:\\f");
  EXPECT_EQ(Owner(shown), "S-1-22-1-65534");
  EXPECT_EQ(Entries(DaclOf(shown)), "");

  ASSERT_TRUE(Set("T:\\f", DACL_SECURITY_INFORMATION, nullptr)) << GetLastError();  // a take-over's
  shown = Get("T:\\f");
  EXPECT_EQ(Entries(DaclOf(shown)), "null");
}

}  // namespace
