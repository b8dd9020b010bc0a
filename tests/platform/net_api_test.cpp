// The LAN Manager calls over a fake network: Win32 buffers, levels, the
// preferred size with its resume handle, and which machine may be asked.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "support/fake_network.h"

namespace {

class NetApiTest : public testing::Test {
 protected:
  void SetUp() override {
    UseFakeNetwork();
    FakeNet.shares["SRV"] = {{"DATA", STYPE_DISKTREE, "files"},
                             {"IPC$", STYPE_IPC | STYPE_SPECIAL, "IPC Service"},
                             {"ÜBER", STYPE_DISKTREE, ""}};
  }
  void TearDown() override { RestoreNetwork(); }
  WCHAR server_[6] = u"\\\\SRV";
};

TEST_F(NetApiTest, SharesComeInPreferredSizedPiecesThatTheResumeHandleJoins) {
  LPBYTE buffer = nullptr;
  DWORD read = 0, total = 0, resume = 0;
  DWORD firstTwo = 2 * sizeof(SHARE_INFO_1) + (5 + 6 + 5 + 12) * sizeof(WCHAR);
  ASSERT_EQ(NetShareEnum(server_, 1, &buffer, firstTwo, &read, &total, &resume), (DWORD)ERROR_MORE_DATA);
  ASSERT_EQ(read, 2u);
  EXPECT_EQ(total, 3u);
  const SHARE_INFO_1* shares = (const SHARE_INFO_1*)buffer;
  EXPECT_EQ(std::u16string(shares[0].shi1_netname) + u"," + shares[0].shi1_remark, u"DATA,files");
  EXPECT_EQ(shares[1].shi1_type, (DWORD)(STYPE_IPC | STYPE_SPECIAL));
  NetApiBufferFree(buffer);
  ASSERT_EQ(NetShareEnum(server_, 1, &buffer, firstTwo, &read, &total, &resume), 0u);
  ASSERT_EQ(read, 1u);
  EXPECT_EQ(std::u16string(((const SHARE_INFO_1*)buffer)->shi1_netname), u"ÜBER");
  EXPECT_EQ(resume, 0u);
  NetApiBufferFree(buffer);

  EXPECT_EQ(NetShareEnum(server_, 2, &buffer, MAX_PREFERRED_LENGTH, &read, &total, nullptr),
            (DWORD)ERROR_INVALID_LEVEL);
  EXPECT_EQ(buffer, nullptr);
}

TEST_F(NetApiTest, OneShareAndTheWorkstationAreAnsweredAtTheirLevels) {
  LPBYTE buffer = nullptr;
  WCHAR data[] = u"DATA";
  ASSERT_EQ(NetShareGetInfo(server_, data, 502, &buffer), 0u);
  const SHARE_INFO_502* info = (const SHARE_INFO_502*)buffer;
  EXPECT_EQ(std::u16string(info->shi502_netname) + u"," + info->shi502_remark + u"," + info->shi502_path,
            u"DATA,files,");
  EXPECT_EQ(info->shi502_type, (DWORD)STYPE_DISKTREE);
  EXPECT_EQ(info->shi502_max_uses, (DWORD)-1);
  NetApiBufferFree(buffer);
  WCHAR gone[] = u"GONE";
  EXPECT_EQ(NetShareGetInfo(server_, gone, 502, &buffer), (DWORD)NERR_NetNameNotFound);

  ASSERT_EQ(NetWkstaGetInfo(nullptr, 100, &buffer), 0u);
  const WKSTA_INFO_100* workstation = (const WKSTA_INFO_100*)buffer;
  WCHAR computer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(computer, &size));
  EXPECT_EQ(std::u16string(workstation->wki100_computername), std::u16string(computer));
  EXPECT_EQ(std::u16string(workstation->wki100_langroup), u"WORKGROUP");
  NetApiBufferFree(buffer);
  EXPECT_EQ(NetWkstaGetInfo(server_, 100, &buffer), (DWORD)ERROR_NOT_SUPPORTED);  // another machine
  EXPECT_EQ(NetServerEnum(server_, 100, &buffer, MAX_PREFERRED_LENGTH, nullptr, nullptr, SV_TYPE_DOMAIN_ENUM,
                          nullptr, nullptr),
            (DWORD)ERROR_NOT_SUPPORTED);
}

}  // namespace
