// Permission texts to access lists and lists to ACL text: the letters, the
// hexadecimal form, the flags, the sizes and the entries left out, as far as
// the set command cannot show them.
#include <gtest/gtest.h>

#include <string>

#include "security/accounts.h"
#include "security/acl_text.h"
#include "security/build_acl.h"

namespace {

struct Dacl {
  alignas(8) BYTE bytes[DaclBufferSize];
  PACL acl() { return reinterpret_cast<PACL>(bytes); }
};

struct Built {
  int added;
  std::string messages;
};

Built Build(const std::string& text, Dacl& dacl) {
  testing::internal::CaptureStderr();
  int added = BuildAcl("", text.c_str(), dacl.acl());
  return {added, testing::internal::GetCapturedStderr()};
}

std::string Text(PACL acl, size_t capacity, int* count) {
  std::string text(capacity, '#');
  *count = AclToText("", acl, text.data(), capacity);
  return text.c_str();
}

const ACCESS_ALLOWED_ACE* Entry(Dacl& dacl, DWORD index) {
  void* ace = nullptr;
  EXPECT_TRUE(GetAce(dacl.acl(), index, &ace));
  return static_cast<const ACCESS_ALLOWED_ACE*>(ace);
}

TEST(BuildAcl, EachAccessGivesItsEntryInTheTextsOrderAndReadsBackAsText) {
  Dacl dacl;
  Built built = Build("root:F Everyone:r root:N   Everyone:W Everyone:x root:0x001F01FF "
                      "Everyone:Fcio Everyone:RC root:Nin Everyone:0x00120089o",
                      dacl);
  EXPECT_EQ(built.messages, "");
  ASSERT_EQ(built.added, 10);
  EXPECT_EQ(dacl.acl()->AclSize, 10 * 40 + 8);
  const struct {
    BYTE type, flags;
    DWORD mask;
  } expected[] = {
      {0, 0, 0x10000000}, {0, 0, 0xA0000000}, {1, 0, 0x10000000}, {0, 0, 0xE0010000}, {0, 0, 0x20000000},
      {0, 0, 0x001F01FF}, {0, 0x0B, 0x10000000}, {0, 0, 0xA0000000}, {1, 0x0C, 0x10000000}, {0, 0x01, 0x00120089},
  };
  for (DWORD i = 0; i < 10; i++) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Entry(dacl, i)->Header.AceType, expected[i].type);
    EXPECT_EQ(Entry(dacl, i)->Header.AceFlags, expected[i].flags);
    EXPECT_EQ(Entry(dacl, i)->Mask, expected[i].mask);
  }
  int count = 0;
  EXPECT_EQ(Text(dacl.acl(), 1024, &count),
            "Unix User\\root:F \\Everyone:R Unix User\\root:N \\Everyone:0xE0010000 \\Everyone:X "
            "Unix User\\root:F \\Everyone:Fcio \\Everyone:R Unix User\\root:Nin \\Everyone:0x00120089o ");
  EXPECT_EQ(count, 10);
}

TEST(BuildAcl, RefusedEntriesAreLeftOutAndTheListIsStillSizedForThem) {
  Dacl dacl;
  Built built = Build("Everyone:0x00000000 Everyone:Q Everyone:0x1F01FF Everyone:0X001F01FF "
                      "Everyone:0x001F01FG joe nosuch Everyone:R Other\\root:F",
                      dacl);
  EXPECT_EQ(built.added, 0);
  EXPECT_EQ(dacl.acl()->AceCount, 0);
  EXPECT_EQ(dacl.acl()->AclSize, 7 * 40 + 8);
  EXPECT_EQ(built.messages,
            "ASEC-ERROR, invalid access type for Everyone, ACE ignored\n"
            "ASEC-ERROR, invalid access type for Everyone, ACE ignored\n"
            "ASEC-ERROR, invalid access type for Everyone, ACE ignored\n"
            "ASEC-ERROR, invalid access type for Everyone, ACE ignored\n"
            "ASEC-ERROR, invalid access type for Everyone, ACE ignored\n"
            "ASEC-ERROR, LookupAccountName(joe nosuch Everyone) failed, error=1332\n"
            "ASEC-ERROR, cannot map username joe nosuch Everyone, ACE ignored\n"
            "ASEC-ERROR, LookupAccountName(Other\\root) failed\n"
            "ASEC-ERROR, target domain 'Other' != resulting domain 'Unix User'\n"
            "ASEC-ERROR, cannot map username Other\\root, ACE ignored\n");
}

TEST(BuildAcl, PastOneHundredTwoEntriesTheListTakesTheWholeBufferAndNoMore) {
  Dacl dacl;
  std::string text;
  for (int i = 0; i < 210; i++) text += "Everyone:R ";
  Built built = Build(text, dacl);
  EXPECT_EQ(dacl.acl()->AclSize, DaclBufferSize);
  EXPECT_EQ(built.added, (DaclBufferSize - 8) / 20);  // Everyone's entries take 20 bytes
  std::string refusal = "ASEC-ERROR, AddAccessAllowedAce() failed, ACE ignored, error=1344\n";
  std::string refusals;
  for (int i = built.added; i < 210; i++) refusals += refusal;
  EXPECT_EQ(built.messages, refusals);
}

TEST(NameToSid, DomainsCompareWithoutCaseAndLongPartsAreNotLookedUp) {
  alignas(8) BYTE sid[SidBufferSize];
  EXPECT_TRUE(NameToSid("", "unix user\\root", sid));
  EXPECT_TRUE(NameToSid("", "NT AUTHORITY\\SYSTEM", sid));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(NameToSid("", "Unix User\\root-with-a-name-of-24ch", sid));
  EXPECT_FALSE(NameToSid("", "A-domain-of-24-character\\root", sid));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ASEC-ERROR, LookupAccountName(Unix User\\root-with-a-name-of-24ch) failed, error=1332\n"
            "ASEC-ERROR, LookupAccountName(A-domain-of-24-character\\root) failed, error=1332\n");
}

TEST(AclToText, TheTextHoldsWholeEntriesOnlyAndCountsThemAll) {
  Dacl dacl;
  ASSERT_EQ(Build("root:F root:F root:F", dacl).added, 3);
  int count = 0;
  EXPECT_EQ(Text(dacl.acl(), 35, &count), "Unix User\\root:F Unix User\\root:F ");  // 34 characters
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Text(dacl.acl(), 34, &count), "Unix User\\root:F ");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Text(nullptr, 34, &count), "");
  EXPECT_EQ(count, 0);
}

}  // namespace
