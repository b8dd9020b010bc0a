// Account lookups both ways: Windows' capacity contract, the well-known
// names, Linux accounts through NSS (compared with what NSS itself answers)
// and the run cache once it is full.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>

#include <cstring>
#include <string>

#include "platform/posix/layer_state.h"
#include "platform/posix/unix_sid.h"

namespace {

struct SidLookup {
  BOOL ok;
  DWORD error;
  std::string name, domain;
  SID_NAME_USE use;
};

SidLookup NameOf(PSID sid) {
  char name[24] = "", domain[24] = "";
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use = SidTypeUnknown;
  BOOL ok = LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use);
  return {ok, ok ? 0 : GetLastError(), name, domain, use};
}

std::string SidText(const BYTE* sid) {
  std::string text = "S-1-" + std::to_string(sid[7]);
  for (int i = 0; i < sid[1]; ++i) {
    DWORD part;
    memcpy(&part, sid + 8 + 4 * i, sizeof part);
    text += "-" + std::to_string(part);
  }
  return text;
}

struct NameLookup {
  BOOL ok;
  DWORD error;
  std::string sid, domain;
  SID_NAME_USE use;
};

NameLookup SidOf(const char* account) {
  BYTE sid[64] = {};
  char domain[24] = "";
  DWORD sidSize = sizeof sid, domainSize = sizeof domain;
  SID_NAME_USE use = SidTypeUnknown;
  BOOL ok = LookupAccountNameA("", account, sid, &sidSize, domain, &domainSize, &use);
  return {ok, ok ? 0 : GetLastError(), ok ? SidText(sid) : "", domain, use};
}

struct UnixSid {
  BYTE bytes[kUnixSidSize];
  UnixSid(DWORD kind, DWORD id) { WriteUnixSid(bytes, kind, id); }
};

class Accounts : public ::testing::Test {
 protected:
  void SetUp() override { ResetLayerState(); }
};

TEST_F(Accounts, TooSmallCapacitiesGive122AndBothSizesNeeded) {
  UnixSid root(kUnixUserSid, 0);
  char name[24], domain[24];
  DWORD nameSize = 4, domainSize = 24;  // "root" needs 5
  SID_NAME_USE use;
  EXPECT_FALSE(LookupAccountSidA(nullptr, root.bytes, name, &nameSize, domain, &domainSize, &use));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(nameSize, 5u);
  EXPECT_EQ(domainSize, 10u);  // "Unix User"
  ASSERT_TRUE(LookupAccountSidA(nullptr, root.bytes, name, &nameSize, domain, &domainSize, &use));
  EXPECT_EQ(nameSize, 4u);
  EXPECT_EQ(domainSize, 9u);

  BYTE sid[16];
  DWORD sidSize = 15;
  domainSize = 0;
  EXPECT_FALSE(LookupAccountNameA(nullptr, "BUILTIN\\Administrators", sid, &sidSize, domain, &domainSize, &use));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(sidSize, 16u);
  EXPECT_EQ(domainSize, 8u);
  ASSERT_TRUE(LookupAccountNameA(nullptr, "BUILTIN\\Administrators", sid, &sidSize, domain, &domainSize, &use));
  EXPECT_EQ(sidSize, 16u);
  EXPECT_EQ(domainSize, 7u);
}

TEST_F(Accounts, WellKnownNamesAsWindowsGivesThem) {
  NameLookup everyone = SidOf("EVERYONE");
  EXPECT_EQ(everyone.sid, "S-1-1-0");
  EXPECT_EQ(everyone.domain, "");
  EXPECT_EQ(everyone.use, SidTypeWellKnownGroup);
  EXPECT_EQ(SidOf("creator group").sid, "S-1-3-1");
  EXPECT_EQ(SidOf("nt authority\\system").sid, "S-1-5-18");
  NameLookup admins = SidOf("builtin\\administrators");
  EXPECT_EQ(admins.sid, "S-1-5-32-544");
  EXPECT_EQ(admins.domain, "BUILTIN");
  EXPECT_EQ(SidOf("NT AUTHORITY\\Everyone").error, (DWORD)ERROR_NONE_MAPPED);

  BYTE sid[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
  SidLookup named = NameOf(sid);
  EXPECT_EQ(named.name + "|" + named.domain, "Administrators|BUILTIN");
  EXPECT_EQ(named.use, SidTypeAlias);
}

TEST_F(Accounts, RootRoundTripsAsUserAndGroup) {
  SidLookup user = NameOf(UnixSid(kUnixUserSid, 0).bytes);
  EXPECT_EQ(user.name + "|" + user.domain, "root|Unix User");
  EXPECT_EQ(user.use, SidTypeUser);
  SidLookup group = NameOf(UnixSid(kUnixGroupSid, 0).bytes);
  EXPECT_EQ(group.name + "|" + group.domain, "root|Unix Group");
  EXPECT_EQ(group.use, SidTypeGroup);

  EXPECT_EQ(SidOf("root").sid, "S-1-22-1-0");  // a user first
  EXPECT_EQ(SidOf("unix user\\ROOT").sid, "S-1-22-1-0");
  NameLookup asGroup = SidOf("UNIX GROUP\\root");
  EXPECT_EQ(asGroup.sid, "S-1-22-2-0");
  EXPECT_EQ(asGroup.domain, "Unix Group");
  EXPECT_EQ(asGroup.use, SidTypeGroup);
}

TEST_F(Accounts, BareGroupNameFallsBackToTheGroup) {
  std::string groupOnly;
  gid_t gid = 0;
  setgrent();
  while (group* g = getgrent())
    if (!getpwnam(g->gr_name)) {
      groupOnly = g->gr_name, gid = g->gr_gid;
      break;
    }
  endgrent();
  if (groupOnly.empty()) GTEST_SKIP() << "every group shares its name with a user";
  NameLookup found = SidOf(groupOnly.c_str());
  EXPECT_EQ(found.sid, "S-1-22-2-" + std::to_string(gid));
  EXPECT_EQ(found.domain, "Unix Group");
  EXPECT_EQ(SidOf(("Unix User\\" + groupOnly).c_str()).error, (DWORD)ERROR_NONE_MAPPED);
}

TEST_F(Accounts, UnknownAccountsAndServersFail) {
  DWORD freeUid = 60000;
  while (getpwuid(freeUid)) ++freeUid;
  EXPECT_EQ(NameOf(UnixSid(kUnixUserSid, freeUid).bytes).error, (DWORD)ERROR_NONE_MAPPED);
  EXPECT_EQ(SidOf("keltro-nobody-has-this-name").error, (DWORD)ERROR_NONE_MAPPED);
  EXPECT_EQ(SidOf("Elsewhere\\root").error, (DWORD)ERROR_NONE_MAPPED);

  char name[24], domain[24];
  DWORD nameSize = 24, domainSize = 24;
  SID_NAME_USE use;
  // A server nothing answers on (loopback: no traffic leaves the machine).
  EXPECT_FALSE(LookupAccountSidA("\\\\127.0.0.254", UnixSid(kUnixUserSid, 0).bytes, name, &nameSize, domain,
                                 &domainSize, &use));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_NETPATH);
}

// More ids than the cache holds, twice: every answer stays NSS's own.
TEST_F(Accounts, AnswersStayRightPastTheCacheSize) {
  for (int pass = 0; pass < 2; ++pass)
    for (DWORD uid = 0; uid < 2 * kAccountCacheSize + 7; ++uid) {
      passwd* expected = getpwuid(uid);
      SidLookup got = NameOf(UnixSid(kUnixUserSid, uid).bytes);
      ASSERT_EQ(got.name, expected ? expected->pw_name : "") << uid;
      ASSERT_EQ(got.error, expected ? 0 : (DWORD)ERROR_NONE_MAPPED) << uid;
    }
}

}  // namespace
