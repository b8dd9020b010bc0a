// The computer's name, and the Samba network against real loopback servers
// (tests/support/smb-servers): shares as a server lists them, one share's
// information, the local domain from the client's configuration, and the
// codes of a server that is not there and of a browse list that cannot be
// read, accounts as the server's LSA names them, and a copy onto a share
// ended by a signal (those need root and smbd). A server that never answers is tested
// through the loops (tests/e2e/net_loops.t).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix/network_backend.h"
#include "platform/win32.h"
#include "platform/win32_network.h"
#include "support/syscall_faults.h"

namespace {

namespace fs = std::filesystem;

const std::string Harness = (fs::path(__FILE__).parent_path().parent_path() / "support" / "smb-servers").string();

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// The servers of one test under a temporary folder, stopped and removed
// however the test ends; HOME points at their client configuration meanwhile.
struct LoopbackServers {
  std::string dir = (fs::temp_directory_path() / "keltro-smb-XXXXXX").string();
  std::string home = getenv("HOME") ? getenv("HOME") : "";
  LoopbackServers() {
    if (!mkdtemp(dir.data())) ADD_FAILURE() << "mkdtemp failed";
  }
  ~LoopbackServers() {
    Shell(Harness + " stop " + dir);
    fs::remove_all(dir);
    setenv("HOME", home.c_str(), 1);
  }
};

std::vector<std::string> Names(const std::vector<NetShare>& shares) {
  std::vector<std::string> names;
  for (const NetShare& share : shares) names.push_back(share.name + ":" + std::to_string(share.type));
  return names;
}

TEST(ComputerName, IsTheHostNamesFirstLabelUpperCasedAndAsksForRoomWhenShort) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  std::string expected;
  for (const char* c = host; *c && *c != '.' && expected.size() < 15; ++c) expected += (char)toupper(*c);

  WCHAR name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = 2;
  EXPECT_FALSE(GetComputerNameW(name, &size));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BUFFER_OVERFLOW);
  EXPECT_EQ(size, expected.size() + 1);
  ASSERT_TRUE(GetComputerNameW(name, &size));
  EXPECT_EQ(size, expected.size());
  EXPECT_EQ(std::string(name, name + size), expected);
  EXPECT_EQ(name[size], 0);
}

TEST(SambaNetwork, AnswersAsTheServerDoesAndFailsWhereNoneListens) {
  if (geteuid() != 0 || !Shell("command -v smbd >/dev/null || test -x /usr/sbin/smbd"))
    GTEST_SKIP() << "needs root and smbd";
  LoopbackServers servers;
  const std::string& dir = servers.dir;
  ASSERT_TRUE(Shell(Harness + " start " + dir + " 127.0.0.4 data 'users$' 'docs:comment = reports and notes'"));
  std::ofstream(dir + "/client/.smb/smb.conf", std::ios::app) << "workgroup = KELTROTEST\n";
  setenv("HOME", (dir + "/client").c_str(), 1);  // read when the run's context is made

  std::vector<NetShare> shares;
  EXPECT_EQ(Network.listShares("127.0.0.4", shares), 0u);
  // In the server's order; IPC$ is the one share Samba marks special.
  EXPECT_EQ(Names(shares), (std::vector<std::string>{"data:0", "users$:0", "docs:0",
                                                   "IPC$:" + std::to_string(STYPE_IPC | STYPE_SPECIAL)}));

  NetShare info;
  EXPECT_EQ(Network.shareInfo("127.0.0.4", "DOCS", info), 0u);
  EXPECT_EQ(info.name, "docs");
  EXPECT_EQ(info.type, (DWORD)STYPE_DISKTREE);
  EXPECT_EQ(info.remark, "reports and notes");
  EXPECT_EQ(Network.shareInfo("127.0.0.4", "nothere", info), (DWORD)NERR_NetNameNotFound);

  std::string domain;
  EXPECT_EQ(Network.localDomain(domain), 0u);
  EXPECT_EQ(domain, "KELTROTEST");

  // With NetBIOS off (the client configuration) no browse master can be
  // found, and none is asked: the browse list fails without traffic.
  std::vector<std::string> names;
  EXPECT_EQ(Network.listServers(SV_TYPE_DOMAIN_ENUM, "", names), (DWORD)ERROR_NO_BROWSER_SERVERS_FOUND);
  EXPECT_TRUE(names.empty());

  // Accounts are looked up on the server, by name and by SID.
  BYTE sid[68];
  char text[24];
  DWORD sidSize = sizeof sid, textSize = sizeof text;
  SID_NAME_USE use;
  ASSERT_TRUE(LookupAccountNameA("\\\\127.0.0.4", "root", sid, &sidSize, text, &textSize, &use));
  EXPECT_EQ(std::string(text), "Unix User");
  EXPECT_EQ(use, SidTypeUser);
  sidSize = sizeof sid;
  textSize = sizeof text;
  EXPECT_FALSE(LookupAccountNameA("127.0.0.4", "keltro-nobody", sid, &sidSize, text, &textSize, &use));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NONE_MAPPED);
  BYTE administrators[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};  // S-1-5-32-544
  char name[24];
  DWORD nameSize = sizeof name;
  textSize = sizeof text;
  ASSERT_TRUE(LookupAccountSidA("\\\\127.0.0.4", administrators, name, &nameSize, text, &textSize, &use));
  EXPECT_EQ(std::string(text) + "\\" + name, "BUILTIN\\Administrators");

  shares.clear();
  EXPECT_EQ(Network.listShares("127.0.0.5", shares), (DWORD)ERROR_BAD_NETPATH);  // nothing listens there
  EXPECT_TRUE(shares.empty());

  // libnetapi asks in a child: nothing it prints reaches standard output,
  // and a server that stops answering costs its time limit.
  std::string controller;
  testing::internal::CaptureStdout();
  EXPECT_EQ(Network.domainController("127.0.0.4", "WORKGROUP", controller), (DWORD)NERR_DCNotFound);  // no DC
  ASSERT_TRUE(Shell(Harness + " pause " + dir + " 127.0.0.4"));
  EXPECT_EQ(Network.domainController("127.0.0.4", "OTHER", controller), (DWORD)ERROR_BAD_NETPATH);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(controller.empty());
}

// A copy onto a share ended by SIGTERM: the child copies through slowed
// reads and is stopped once its temporary file is on the share. The signal
// is noted, the copy removes that file, and then the signal ends the child.
TEST(SambaNetwork, ASignalEndingACopyOntoAShareLeavesNoTemporaryFile) {
  if (geteuid() != 0 || !Shell("command -v smbd >/dev/null || test -x /usr/sbin/smbd"))
    GTEST_SKIP() << "needs root and smbd";
  LoopbackServers servers;
  const std::string share = servers.dir + "/127.0.0.9/shares/data";
  ASSERT_TRUE(Shell(Harness + " start " + servers.dir + " 127.0.0.9 data"));
  setenv("HOME", (servers.dir + "/client").c_str(), 1);
  setenv("KELTRO_DRIVES", ("C=/;T=" + servers.dir).c_str(), 1);
  std::ofstream(servers.dir + "/big") << std::string(4 << 20, 'x');
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ArmSyscallFault({.call = "read", .count = 1000, .delayMs = 100});
    _exit(CopyFileA("T:\\big", "\\\\127.0.0.9\\data\\big", FALSE) ? 0 : 1);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (fs::is_empty(share) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(fs::is_empty(share));
  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_TRUE(fs::is_empty(share));
  unsetenv("KELTRO_DRIVES");
}

}  // namespace
