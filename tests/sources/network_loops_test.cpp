// The domain, server, list and share loops over a fake network: what each
// visits, in which order, what it asks the network, and every message.
#include "sources/network_loops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/settings.h"
#include "output/standard_output.h"
#include "platform/files_fixture.h"
#include "sources/network_names.h"
#include "support/fake_network.h"

namespace {

std::vector<std::string> Visits;

void RecordServer(const WCHAR* domain, const WCHAR* server) {
  Visits.push_back(AnsiName(domain) + "|" + AnsiName(server));
}
void RecordShare(const WCHAR* domain, const WCHAR* server, const WCHAR* share) {
  Visits.push_back(AnsiName(domain) + "|" + AnsiName(server) + "|" + AnsiName(share));
}

std::u16string Wide(const char* text) { return std::u16string(text, text + strlen(text)); }

class NetworkLoopsTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    UseFakeNetwork();
    Visits.clear();
    Verbose = 1;
  }
  void TearDown() override {
    RestoreNetwork();
    unsetenv("SERVERLIST");
    Verbose = 0;
    MappedTreeTest::TearDown();
  }
  // Runs `loop` and returns what it printed, errors marked by "2> ".
  template <typename Loop>
  std::string Printed(Loop loop) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    loop();
    FlushOutput();
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    return err.empty() ? out : out + "2> " + err;
  }
  void ListServers(const std::string& content) {
    tree_.file("servers.txt", content);
    setenv("SERVERLIST", "T:\\servers.txt", 1);
  }
};

TEST_F(NetworkLoopsTest, NamesWithoutWildcardsAreVisitedWithoutEnumeration) {
  EXPECT_EQ(Printed([] { DomainLoop("", "SRV01", RecordServer); }), "");
  EXPECT_EQ(Visits, std::vector<std::string>{"WORKGROUP|\\\\SRV01"});
  EXPECT_EQ(FakeNet.asked, std::vector<std::string>{"local"});  // the workstation's domain only

  Visits.clear();
  FakeNet.errors["local"] = ERROR_NOT_SUPPORTED;  // the domain stays empty
  EXPECT_EQ(Printed([] { DomainLoop("", "", RecordServer); }), "");
  WCHAR computer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(computer, &size));
  EXPECT_EQ(Visits, std::vector<std::string>{"|\\\\" + AnsiName(computer)});

  Visits.clear();
  FakeNet.asked.clear();
  std::u16string server = Wide("\\\\SRV01");
  EXPECT_EQ(ShareLoop(u"DOM", server.c_str(), "data", RecordShare), 0u);
  EXPECT_EQ(ShareLoop(u"DOM", server.c_str(), "", RecordShare), (DWORD)ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Visits, std::vector<std::string>{"DOM|\\\\SRV01|data"});
  EXPECT_TRUE(FakeNet.asked.empty());
}

TEST_F(NetworkLoopsTest, DomainsAndServersAreEnumeratedInOrderAndFailuresEndOnlyTheirLevel) {
  FakeNet.domains = {"DOMA", "OTHER", "DomB"};
  FakeNet.servers["DOMA"] = {"SRV01", "PC02", "srv03"};  // DomB's browse list has no servers
  EXPECT_EQ(Printed([] { DomainLoop("dom*", "SRV*", RecordServer); }),
            "DOMAINLOOP-INFO, domain 'DOMA' (1 of 3)\n"
            "SERVERLOOP-INFO, server 'SRV01' (1 of 3 in DOMA)\n"
            "SERVERLOOP-INFO, server 'srv03' (3 of 3 in DOMA)\n"
            "DOMAINLOOP-INFO, domain 'DomB' (3 of 3)\n"
            "2> SERVERLOOP-ERROR, NetServerEnum(DomB) failed, error=6118\n");
  EXPECT_EQ(Visits, (std::vector<std::string>{"DOMA|\\\\SRV01", "DOMA|\\\\srv03"}));

  FakeNet.errors["domains"] = ERROR_NO_BROWSER_SERVERS_FOUND;
  EXPECT_EQ(Printed([] { EXPECT_EQ(DomainLoop("D*", "*", RecordServer), 6118u); }),
            "2> DOMAINLOOP-ERROR, NetServerEnum(D*) failed, error=6118\n");
}

TEST_F(NetworkLoopsTest, AnEnumerationLargerThanThePreferredSizeVisitsNothing) {
  Verbose = 0;
  std::vector<std::string>& servers = FakeNet.servers["WORKGROUP"];
  servers.push_back("A-NAME-OF-24-CHARACTERS!");
  servers.push_back("SRV1");
  EXPECT_EQ(Printed([] { ServerLoop(u"", "*", RecordServer); }),
            "2> SERVERLOOP-ERROR, server name 'A-NAME-OF-24-CHARACTERS!' longer than 23 characters, skipped\n");
  EXPECT_EQ(Visits, std::vector<std::string>{"WORKGROUP|\\\\SRV1"});

  Visits.clear();
  while (servers.size() < 500) servers.push_back("SRV" + std::to_string(servers.size()));  // more than 16384 bytes
  EXPECT_EQ(Printed([] { EXPECT_EQ(ServerLoop(u"WORKGROUP", "*", RecordServer), (DWORD)ERROR_MORE_DATA); }),
            "2> SERVERLOOP-ERROR, NetServerEnum(WORKGROUP) failed, error=234\n");
  EXPECT_TRUE(Visits.empty());
}

TEST_F(NetworkLoopsTest, TheStaticListIsMatchedLineByLineAtTheDomainOrTheServerLevel) {
  Verbose = 0;
  ListServers("DOMA\\\\SRV01\r\ndoma\\\\pc02\nNOBACKSLASH\nDOMB\\\\SRV09\tcomment\n\nOTHER\\\\SRV01");
  DomainLoop("DOM*", "srv*", RecordServer);  // a domain pattern: domain and server matched at once
  EXPECT_EQ(Visits, (std::vector<std::string>{"DOMA|\\\\SRV01", "DOMB|\\\\SRV09"}));
  EXPECT_TRUE(FakeNet.asked.empty());  // the network is not enumerated

  Visits.clear();
  DomainLoop("DOMA", "*", RecordServer);  // a named domain: only its own lines
  EXPECT_EQ(Visits, (std::vector<std::string>{"DOMA|\\\\SRV01", "doma|\\\\pc02"}));

  Visits.clear();
  ListServers(std::string(254, 'x') + "WORKGROUP\\\\SRV05\n");  // read as two lines
  DomainLoop("", "SRV*", RecordServer);
  EXPECT_EQ(Visits, std::vector<std::string>{"WORKGROUP|\\\\SRV05"});
}

TEST_F(NetworkLoopsTest, SharesAreEnumeratedInOrderAndFilteredByTypeNameAndLevel) {
  FakeNet.shares["SRV01"] = {{"DATA", STYPE_DISKTREE, ""},
                             {"USERS$", STYPE_DISKTREE, ""},
                             {"C$", STYPE_DISKTREE | STYPE_SPECIAL, ""},
                             {"ADMIN$", STYPE_DISKTREE | STYPE_SPECIAL, ""},
                             {"IPC$", STYPE_IPC | STYPE_SPECIAL, ""},
                             {"PRINT", STYPE_PRINTQ, ""}};
  std::u16string server = Wide("\\\\SRV01");
  ShareLoop(u"DOM", server.c_str(), "*$", RecordShare);
  EXPECT_EQ(Visits, (std::vector<std::string>{"DOM|\\\\SRV01|USERS$", "DOM|\\\\SRV01|C$", "DOM|\\\\SRV01|ADMIN$",
                                              "DOM|\\\\SRV01|IPC$"}));

  auto visible = [&](int32_t level) {
    std::string names;
    for (const NetShare& share : FakeNet.shares["SRV01"]) {
      if (ShareIsVisible(server.c_str(), Wide(share.name.c_str()).c_str(), level)) names += share.name + " ";
    }
    return names;
  };
  EXPECT_EQ(visible(0), "DATA USERS$ C$ ");
  EXPECT_EQ(visible(1), "DATA USERS$ ");
  EXPECT_EQ(visible(2), "DATA ");
  EXPECT_EQ(visible(-1), "DATA USERS$ ");  // /h without digits acts as /h1

  EXPECT_EQ(Printed([&] { EXPECT_FALSE(ShareIsVisible(server.c_str(), u"GONE", 0)); }),
            "2> KELTRO-ERROR, NetShareGetInfo(GONE) failed, error=2310\n");
  EXPECT_EQ(Printed([] { EXPECT_EQ(ShareLoop(u"DOM", u"\\\\SRV02", "*", RecordShare), 53u); }),
            "2> SHARELOOP-ERROR, NetShareEnum(\\\\SRV02) failed, error=53\n");
}

}  // namespace
