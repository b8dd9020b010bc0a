// File handles: CreateFileA, ReadFile, SetFileTime and CloseHandle. Reading
// a format file through a handle is in entry_formats.t.
#include <gtest/gtest.h>

#include <cstdio>

#include "files_fixture.h"

namespace {

// 2001-02-03 04:05:06.7 UTC.
constexpr ULONGLONG kWritten = (981173106ULL + 11644473600ULL) * 10000000ULL + 7000000ULL;
const FILETIME Written = {(DWORD)kWritten, (DWORD)(kWritten >> 32)};

class HandlesTest : public MappedTreeTest {
 protected:
  ULONGLONG WriteTime(const char* path) {
    WIN32_FIND_DATAA data{};
    FindClose(FindFirstFileA(path, &data));
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
  }
  HANDLE Open(const char* path, DWORD access, DWORD disposition = OPEN_EXISTING, DWORD flags = 0) {
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition, flags, nullptr);
  }
};

TEST_F(HandlesTest, OpenAndAccessFailuresCarryWin32Codes) {
  tree_.file("dir/f.txt", "x");
  EXPECT_EQ(Open("T:\\dir\\none.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("T:\\nodir\\none.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Open("T:\\dir\\f.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_EQ(Open("T:\\dir", GENERIC_WRITE), INVALID_HANDLE_VALUE);  // no backup semantics
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  HANDLE h = Open("T:\\dir\\f.txt", GENERIC_READ);
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &Written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  ASSERT_TRUE(ArmSyscallFault({"open", 1, EACCES}));
  EXPECT_EQ(Open("T:\\dir\\f.txt", GENERIC_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST_F(HandlesTest, SetFileTimeChangesTheEntryItself) {
  tree_.file("f.txt", "x");
  tree_.dir("d");
  std::filesystem::create_symlink(tree_.path("f.txt"), tree_.path("link.txt"));
  ULONGLONG before = WriteTime("T:\\f.txt");
  HANDLE h = Open("T:\\link.txt", GENERIC_WRITE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &Written));
  CloseHandle(h);
  EXPECT_EQ(WriteTime("T:\\link.txt"), kWritten);
  EXPECT_EQ(WriteTime("T:\\f.txt"), before);  // not the link's target
  h = Open("T:\\d", GENERIC_WRITE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &Written));
  ASSERT_TRUE(ArmSyscallFault({"futimens", 1, EROFS}));
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &Written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  CloseHandle(h);
  EXPECT_EQ(WriteTime("T:\\d"), kWritten);
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
