// File handles: CreateFileA, ReadFile, SetFileTime and CloseHandle.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

#include <chrono>
#include <cstdio>

#include "files_fixture.h"
#include "platform/posix/layer.h"

namespace {


FILETIME Time(ULONGLONG value) { return FILETIME{(DWORD)value, (DWORD)(value >> 32)}; }

// 2001-02-03 04:05:06.7 UTC and 1999-12-31 23:59:59 UTC as FILETIME values.
constexpr ULONGLONG kWritten = (981173106ULL + 11644473600ULL) * 10000000ULL + 7000000ULL;
constexpr ULONGLONG kCreated = (946684799ULL + 11644473600ULL) * 10000000ULL;

class HandlesTest : public MappedTreeTest {
 protected:
  WIN32_FIND_DATAA Find(const std::string& path) {
    WIN32_FIND_DATAA data{};
    HANDLE h = FindFirstFileA(path.c_str(), &data);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return data;
  }
  HANDLE OpenForTimes(const std::string& path, DWORD flags = 0) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
  }
  bool XattrsSupported() {
    tree_.file("xattr-probe");
    return setxattr(tree_.path("xattr-probe").c_str(), "user.probe", "1", 1, 0) == 0;
  }
};

TEST_F(HandlesTest, ReadsAFileThroughAHandle) {
  tree_.file("fmt/long.txt", "~f ~s\r\nsecond line");
  HANDLE h = CreateFileA("T:\\fmt\\LONG.TXT", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char buffer[64];
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, buffer, 5, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "~f ~s");
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "\r\nsecond line");
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(got, 0u);  // end of file
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(HandlesTest, OpenFailuresCarryWin32Codes) {
  tree_.dir("dir");
  tree_.file("dir/f.txt", "x");
  auto open = [](const char* path, DWORD access, DWORD disposition, DWORD flags = 0) {
    return CreateFileA(path, access, 0, nullptr, disposition, flags, nullptr);
  };
  EXPECT_EQ(open("T:\\dir\\none.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(open("T:\\nodir\\none.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(open("T:\\dir\\f.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_EQ(open("T:\\dir", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);  // no backup semantics
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(ArmSyscallFault({"open", 1, EACCES}));
  EXPECT_EQ(open("T:\\dir\\f.txt", GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST_F(HandlesTest, CreatesAndTruncatesByDisposition) {
  HANDLE h = CreateFileA("T:\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(tree_.path("new.txt")));
  tree_.file("old.txt", "content");
  h = CreateFileA("T:\\old.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
  CloseHandle(h);
  EXPECT_EQ(std::filesystem::file_size(tree_.path("old.txt")), 0u);
}

// Nothing the layer found missing is taken as missing later: neither a file
// it created itself nor one created beside it while the directory's time
// stays within the clock tick in which its names were read (the time is set
// back to show a file system whose clock did not move; the name is asked for
// in another spelling, so that the lookup reads the directory's names).
TEST_F(HandlesTest, AFileCreatedAfterAMissIsFoundAtOnce) {
  tree_.dir("d");
  auto open = [](const std::string& path, DWORD disposition) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
  };
  for (int i = 0; i < 20; i++) {
    std::string mine = Drive("d\\mine" + std::to_string(i));
    EXPECT_EQ(open(mine, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    HANDLE h = open(mine, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    h = open(mine, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << mine;
    CloseHandle(h);

    std::string beside = "beside" + std::to_string(i);
    auto tick = std::filesystem::file_time_type::clock::now() + std::chrono::seconds(1);
    std::filesystem::last_write_time(tree_.path("d"), tick);
    EXPECT_EQ(open(Drive("d\\" + beside), OPEN_EXISTING), INVALID_HANDLE_VALUE);
    tree_.file("d/" + beside);
    std::filesystem::last_write_time(tree_.path("d"), tick);
    h = open(Drive("d\\BESIDE" + std::to_string(i)), OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << beside;
    CloseHandle(h);
  }
}

TEST_F(HandlesTest, ReadingNeedsReadAccess) {
  tree_.file("f.txt", "x");
  HANDLE h = OpenForTimes("T:\\f.txt");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char c;
  DWORD got = 7;
  EXPECT_FALSE(ReadFile(h, &c, 1, &got, nullptr));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_EQ(got, 0u);
  CloseHandle(h);
}

TEST_F(HandlesTest, SetFileTimeChangesOnlyTheTimesGiven) {
  tree_.file("f.txt", "x");
  WIN32_FIND_DATAA before = Find("T:\\f.txt");
  HANDLE h = OpenForTimes("T:\\f.txt");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME written = Time(kWritten);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
  CloseHandle(h);
  WIN32_FIND_DATAA after = Find("T:\\f.txt");
  EXPECT_EQ(FromFileTime(after.ftLastWriteTime), kWritten);
  EXPECT_EQ(FromFileTime(after.ftLastAccessTime), FromFileTime(before.ftLastAccessTime));
  EXPECT_EQ(FromFileTime(after.ftCreationTime), FromFileTime(before.ftCreationTime));
}

TEST_F(HandlesTest, ACreationTimeIsStoredAndReadBack) {
  if (!XattrsSupported()) GTEST_SKIP() << "the temporary directory's file system has no user extended attributes";
  tree_.file("f.txt", "x");
  HANDLE h = OpenForTimes("T:\\f.txt");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME created = Time(kCreated), accessed = Time(kWritten);
  ASSERT_TRUE(SetFileTime(h, &created, &accessed, nullptr));
  CloseHandle(h);
  WIN32_FIND_DATAA data = Find("T:\\f.txt");
  EXPECT_EQ(FromFileTime(data.ftCreationTime), kCreated);
  EXPECT_EQ(FromFileTime(data.ftLastAccessTime), kWritten);
  char text[32];
  ssize_t n = getxattr(tree_.path("f.txt").c_str(), "user.keltro.ctime", text, sizeof text);
  EXPECT_EQ(std::string(text, n > 0 ? (size_t)n : 0), std::to_string(kCreated));
}

TEST_F(HandlesTest, ADirectoryNeedsBackupSemanticsForItsTimes) {
  tree_.dir("d");
  EXPECT_EQ(OpenForTimes("T:\\d"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  HANDLE h = OpenForTimes("T:\\d", FILE_FLAG_BACKUP_SEMANTICS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME written = Time(kWritten);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
  CloseHandle(h);
  EXPECT_EQ(FromFileTime(Find("T:\\d").ftLastWriteTime), kWritten);
}

TEST_F(HandlesTest, TimesOfALinkChangeTheLinkNotItsTarget) {
  tree_.file("target.txt", "x");
  std::filesystem::create_symlink(tree_.path("target.txt"), tree_.path("link.txt"));
  ULONGLONG targetBefore = FromFileTime(Find("T:\\target.txt").ftLastWriteTime);
  HANDLE h = OpenForTimes("T:\\link.txt");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME written = Time(kWritten);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
  CloseHandle(h);
  EXPECT_EQ(FromFileTime(Find("T:\\link.txt").ftLastWriteTime), kWritten);
  EXPECT_EQ(FromFileTime(Find("T:\\target.txt").ftLastWriteTime), targetBefore);
}

TEST_F(HandlesTest, SetFileTimeNeedsWriteAccessAndReportsFailures) {
  tree_.file("f.txt", "x");
  FILETIME written = Time(kWritten);
  HANDLE h = CreateFileA("T:\\f.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  CloseHandle(h);
  h = OpenForTimes("T:\\f.txt");
  ASSERT_TRUE(ArmSyscallFault({"futimens", 1, EROFS}));
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  CloseHandle(h);
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(HandlesTest, AChangeNotificationSignalsFromTheFirstChangeUntilReArmed) {
  tree_.dir("watched");
  HANDLE h = FindFirstChangeNotificationA("T:\\watched\\", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WaitForSingleObject(h, 0), (DWORD)WAIT_TIMEOUT);
  tree_.file("watched/~f", "x");
  EXPECT_EQ(WaitForSingleObject(h, 0), (DWORD)WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(h, 0), (DWORD)WAIT_OBJECT_0);  // until re-armed
  ASSERT_TRUE(FindNextChangeNotification(h));
  EXPECT_EQ(WaitForSingleObject(h, 0), (DWORD)WAIT_TIMEOUT);
  ASSERT_EQ(rename(tree_.path("watched/~f").c_str(), tree_.path("watched/~F").c_str()), 0);
  EXPECT_EQ(WaitForSingleObject(h, 0), (DWORD)WAIT_OBJECT_0);
  EXPECT_TRUE(FindCloseChangeNotification(h));
  EXPECT_EQ(FindFirstChangeNotificationA("T:\\missing", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

}  // namespace
