// The calls that change the tree: deleting, removing, creating and copying.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <set>
#include <thread>

#include "files_fixture.h"

namespace {

class ChangesTest : public MappedTreeTest {
 protected:
  static DWORD Result(BOOL ok) { return ok ? 0 : GetLastError(); }
  std::string Content(const std::string& relative) {
    std::ifstream in(tree_.path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  struct stat Stat(const std::string& relative) {
    struct stat st = {};
    EXPECT_EQ(lstat(tree_.path(relative).c_str(), &st), 0) << relative;
    return st;
  }
  // A file of two data ranges with holes after each.
  void SparseFile(const std::string& relative) {
    int fd = open(tree_.path(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0640);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(pwrite(fd, "tail", 4, 1 << 20), 4);
    ASSERT_EQ(ftruncate(fd, 2 << 20), 0);  // a hole at the end as well
    close(fd);
  }
  // The names in a directory, so that a temporary file left behind shows.
  std::string Names(const std::string& relative) {
    std::set<std::string> sorted;
    for (const auto& entry : fs::directory_iterator(tree_.path(relative))) sorted.insert(entry.path().filename());
    std::string names;
    for (const std::string& name : sorted) names += name + " ";
    return names;
  }
};

// The codes the actions act on: 5 makes them take the entry over and retry.
TEST_F(ChangesTest, DeleteRemoveAndCreateGiveWindowsCodes) {
  tree_.file("d/ro.txt", "x");
  tree_.file("full/f");
  fs::create_directory_symlink(tree_.path("d"), tree_.path("link"));
  ASSERT_EQ(chmod(tree_.path("d/ro.txt").c_str(), 0444), 0);
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\ro.txt")), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA("T:\\d\\RO.TXT", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\RO.TXT")), 0u);
  EXPECT_FALSE(fs::exists(tree_.path("d/ro.txt")));
  EXPECT_EQ(Result(DeleteFileA("T:\\d")), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\gone")), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Result(DeleteFileA("T:\\nodir\\gone")), (DWORD)ERROR_PATH_NOT_FOUND);

  EXPECT_EQ(Result(RemoveDirectoryA("T:\\link")), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\full\\f")), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\full")), (DWORD)ERROR_DIR_NOT_EMPTY);
  EXPECT_EQ(Result(DeleteFileA("T:\\link")), 0u);  // the link, not what it points to
  EXPECT_TRUE(fs::is_directory(tree_.path("d")));

  EXPECT_EQ(Result(CreateDirectoryA("T:\\d\\new", nullptr)), 0u);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\D\\NEW", nullptr)), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\full\\f", nullptr)), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\nodir\\new", nullptr)), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\d\\new")), 0u);
  EXPECT_FALSE(fs::exists(tree_.path("d/new")));
}

// With copy_file_range and with read and write (a kernel that cannot copy).
TEST_F(ChangesTest, ACopyKeepsDataHolesModeTimesAndUserAttributes) {
  tree_.dir("to");
  SparseFile("src");
  ASSERT_EQ(setxattr(tree_.path("src").c_str(), "user.DOSATTRIB", "0x24", 4, 0), 0);  // system, archive
  ASSERT_EQ(setxattr(tree_.path("src").c_str(), "user.stream", "v", 1, 0), 0);
  struct timespec times[2] = {{1000000000, 123456700}, {1100000000, 987654300}};
  ASSERT_EQ(utimensat(AT_FDCWD, tree_.path("src").c_str(), times, 0), 0);
  std::string expected = Content("src");
  for (bool kernelCopies : {true, false}) {
    if (!kernelCopies) {
      ASSERT_TRUE(ArmSyscallFault({"copy_file_range", 1, EXDEV, 1000}));
    }
    const char* copy = kernelCopies ? "to/a" : "to/b";
    struct timespec accessed = Stat("src").st_atim;  // reading the source may move it
    ASSERT_TRUE(CopyFileA("T:\\src", kernelCopies ? "T:\\to\\a" : "T:\\to\\b", TRUE)) << GetLastError();
    struct stat st = Stat(copy);
    EXPECT_TRUE(Content(copy) == expected);
    EXPECT_LT(st.st_blocks * 512, 512 << 10) << "holes were filled";
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(st.st_atim.tv_sec == accessed.tv_sec && st.st_atim.tv_nsec == accessed.tv_nsec);
    EXPECT_TRUE(st.st_mtim.tv_sec == times[1].tv_sec && st.st_mtim.tv_nsec == times[1].tv_nsec);
    char value[8] = {};
    EXPECT_EQ(getxattr(tree_.path(copy).c_str(), "user.stream", value, sizeof value), 1);
    EXPECT_EQ(GetFileAttributesA(kernelCopies ? "T:\\to\\a" : "T:\\to\\b"),
              (DWORD)(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
  }
  EXPECT_EQ(Names("to"), "a b ");
}

TEST_F(ChangesTest, ACopyOverwritesOnlyWhatWindowsWouldAndOnlyWhole) {
  tree_.file("new", "new content");
  tree_.file("old", "old content");
  fs::create_symlink("new", tree_.path("link"));
  EXPECT_EQ(Result(CopyFileA("T:\\new", "T:\\OLD", TRUE)), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_EQ(Result(CopyFileA("T:\\new", "T:\\NEW", FALSE)), (DWORD)ERROR_SHARING_VIOLATION);
  ASSERT_TRUE(SetFileAttributesA("T:\\old", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Result(CopyFileA("T:\\new", "T:\\old", FALSE)), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA("T:\\old", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Result(CopyFileA("T:\\new", "T:\\old", FALSE)), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA("T:\\old", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(Content("old") == "old content");

  ino_t oldInode = Stat("old").st_ino;
  SparseFile("new");
  ASSERT_TRUE(ArmSyscallFault({"copy_file_range", 2, ENOSPC}));  // the second range finds the disk full
  EXPECT_EQ(Result(CopyFileA("T:\\new", "T:\\old", FALSE)), (DWORD)ERROR_DISK_FULL);
  EXPECT_TRUE(Content("old") == "old content");
  EXPECT_EQ(Stat("old").st_ino, oldInode);
  EXPECT_EQ(Names(""), "link new old ");

  EXPECT_EQ(Result(CopyFileA("T:\\link", "T:\\old", FALSE)), 0u);  // the link itself
  EXPECT_TRUE(fs::is_symlink(tree_.path("old")));
  EXPECT_EQ(fs::read_symlink(tree_.path("old")), "new");
}

// A POSIX ACL as the kernel stores it: the owner, user 1000, the group, the mask, others.
std::string AclBlob() {
  std::string blob = {2, 0, 0, 0};
  auto entry = [&](uint16_t tag, uint16_t perm, uint32_t id) {
    for (int i = 0; i < 2; i++) blob += (char)(tag >> 8 * i);
    for (int i = 0; i < 2; i++) blob += (char)(perm >> 8 * i);
    for (int i = 0; i < 4; i++) blob += (char)(id >> 8 * i);
  };
  entry(0x01, 5, ~0u), entry(0x02, 7, 1000), entry(0x04, 4, ~0u), entry(0x10, 7, ~0u), entry(0x20, 0, ~0u);
  return blob;
}

// The take-over as the actions make it: the token's owner and a null DACL.
TEST_F(ChangesTest, ATakeOverMakesTheProcessTheOwnerAndOpensTheEntryToAll) {
  tree_.file("d/f", "x");
  std::string acl = AclBlob();
  for (const char* entry : {"d", "d/f"}) {
    ASSERT_EQ(chown(tree_.path(entry).c_str(), 1234, 1234), 0);
    ASSERT_EQ(setxattr(tree_.path(entry).c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
  }
  ASSERT_EQ(setxattr(tree_.path("d").c_str(), "system.posix_acl_default", acl.data(), acl.size(), 0), 0);
  ASSERT_EQ(chmod(tree_.path("d/f").c_str(), 04510), 0);

  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(process, TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES, &token));
  alignas(8) unsigned char owner[64];
  DWORD needed = 0;
  EXPECT_EQ(Result(GetTokenInformation(token, TokenOwner, owner, 8, &needed)), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  ASSERT_TRUE(GetTokenInformation(token, TokenOwner, owner, needed, &needed));
  PSID self = reinterpret_cast<TOKEN_OWNER*>(owner)->Owner;
  unsigned char expected[16] = {1, 2, 0, 0, 0, 0, 0, 22, 1, 0, 0, 0};  // S-1-22-1-euid
  uint32_t euid = geteuid();
  memcpy(expected + 12, &euid, 4);
  EXPECT_EQ(memcmp(self, expected, 16), 0);
  TOKEN_PRIVILEGES privileges = {1, {{{}, SE_PRIVILEGE_ENABLED}}};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_RESTORE_NAME, &privileges.Privileges[0].Luid));
  EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr));
  EXPECT_EQ(Result(LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", &privileges.Privileges[0].Luid)),
            (DWORD)ERROR_NO_SUCH_PRIVILEGE);

  SECURITY_DESCRIPTOR descriptor;
  ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorOwner(&descriptor, self, FALSE));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE));
  for (const char* entry : {"T:\\d\\f", "T:\\d"}) {
    EXPECT_TRUE(SetFileSecurityA(entry, OWNER_SECURITY_INFORMATION, &descriptor)) << GetLastError();
    EXPECT_TRUE(SetFileSecurityA(entry, DACL_SECURITY_INFORMATION, &descriptor)) << GetLastError();
  }
  struct stat file = Stat("d/f"), dir = Stat("d");
  EXPECT_EQ(file.st_uid, euid);
  EXPECT_EQ(file.st_gid, 1234u);
  EXPECT_EQ(file.st_mode & 07777, 0776u);  // x bits kept, set-user-ID dropped
  EXPECT_EQ(dir.st_mode & 07777, 0777u);
  for (const char* name : {"system.posix_acl_access", "system.posix_acl_default"})
    EXPECT_EQ(getxattr(tree_.path("d").c_str(), name, nullptr, 0), -1) << name;
  EXPECT_EQ(getxattr(tree_.path("d/f").c_str(), "system.posix_acl_access", nullptr, 0), -1);

  expected[8] = 2;  // S-1-22-2-euid, a group
  ASSERT_TRUE(SetSecurityDescriptorOwner(&descriptor, expected, FALSE));
  EXPECT_EQ(Result(SetFileSecurityA("T:\\d", OWNER_SECURITY_INFORMATION, &descriptor)), (DWORD)ERROR_INVALID_OWNER);
  EXPECT_TRUE(CloseHandle(token));
  EXPECT_TRUE(CloseHandle(process));
}

// A copy ended by SIGTERM: the child copies through slowed writes and is
// stopped once the copy is under way. A replaced target is written under a
// temporary name, a new one into a file without a name (seen among the
// child's descriptors); neither is left, and the old target stays.
TEST_F(ChangesTest, ASignalEndingACopyLeavesNoTemporaryFile) {
  tree_.file("to/old", "old");
  tree_.file("big", std::string(4 << 20, 'x'));
  auto copyingIntoTo = [this](pid_t child) {
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(child) + "/fd", error))
      if (fs::read_symlink(fd.path(), error).string().rfind(tree_.path("to/"), 0) == 0) return true;
    return Names("to") != "old ";
  };
  for (const char* target : {"T:\\to\\old", "T:\\to\\new"}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ArmSyscallFault({"copy_file_range", 1, EXDEV, 1000});
      ArmSyscallFault({.call = "write", .count = 1000, .delayMs = 100});
      _exit(CopyFileA("T:\\big", target, FALSE) ? 0 : 1);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!copyingIntoTo(child) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(copyingIntoTo(child)) << target;
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(Names("to"), "old ") << target;
    EXPECT_EQ(Content("to/old"), "old");
  }
}

}  // namespace
