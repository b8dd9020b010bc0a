// File handles: CreateFileA, ReadFile, SetFileTime and CloseHandle. Reading
// a format file through a handle is in the transcripts.
#include <gtest/gtest.h>

#include <sys/xattr.h>

#include "files_fixture.h"

namespace {

ULONGLONG Value(const FILETIME& t) { return ((ULONGLONG)t.dwHighDateTime << 32) | t.dwLowDateTime; }

// 2001-02-03 04:05:06.7 UTC and 1999-12-31 23:59:59 UTC as FILETIME values.
constexpr ULONGLONG kWritten = (981173106ULL + 11644473600ULL) * 10000000ULL + 7000000ULL;
constexpr ULONGLONG kCreated = (946684799ULL + 11644473600ULL) * 10000000ULL;
const FILETIME Written = {(DWORD)kWritten, (DWORD)(kWritten >> 32)};
const FILETIME Created = {(DWORD)kCreated, (DWORD)(kCreated >> 32)};

class HandlesTest : public MappedTreeTest {
 protected:
  WIN32_FIND_DATAA Find(const std::string& path) {
    WIN32_FIND_DATAA data{};
    HANDLE h = FindFirstFileA(path.c_str(), &data);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return data;
  }
  HANDLE Open(const char* path, DWORD access, DWORD disposition = OPEN_EXISTING, DWORD flags = 0) {
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition, flags, nullptr);
  }
};

TEST_F(HandlesTest, OpenFailuresCarryWin32Codes) {
  tree_.file("dir/f.txt", "x");
  EXPECT_EQ(Open("T:\\dir\\none.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("T:\\nodir\\none.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Open("T:\\dir\\f.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_EQ(Open("T:\\dir", GENERIC_READ), INVALID_HANDLE_VALUE);  // no backup semantics
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(InjectSyscallFault("open", 1, EACCES));
  EXPECT_EQ(Open("T:\\dir\\f.txt", GENERIC_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST_F(HandlesTest, AccessIsCheckedAndHandlesCloseOnce) {
  tree_.file("f.txt", "x");
  HANDLE h = Open("T:\\f.txt", GENERIC_WRITE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char c;
  DWORD got = 7;
  EXPECT_FALSE(ReadFile(h, &c, 1, &got, nullptr));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_EQ(got, 0u);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  h = Open("T:\\f.txt", GENERIC_READ);
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &Written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  CloseHandle(h);
}

TEST_F(HandlesTest, SetFileTimeChangesTheTimesGivenOfTheEntryItself) {
  tree_.file("f.txt", "x");
  tree_.dir("d");
  std::filesystem::create_symlink(tree_.path("f.txt"), tree_.path("link.txt"));
  WIN32_FIND_DATAA before = Find("T:\\f.txt");
  HANDLE h = Open("T:\\link.txt", GENERIC_WRITE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &Written));
  CloseHandle(h);
  EXPECT_EQ(Value(Find("T:\\link.txt").ftLastWriteTime), kWritten);
  EXPECT_EQ(Value(Find("T:\\f.txt").ftLastWriteTime), Value(before.ftLastWriteTime));  // not the target

  EXPECT_EQ(Open("T:\\d", GENERIC_WRITE), INVALID_HANDLE_VALUE);
  h = Open("T:\\d", GENERIC_WRITE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  ASSERT_TRUE(SetFileTime(h, nullptr, &Written, nullptr));
  CloseHandle(h);
  WIN32_FIND_DATAA after = Find("T:\\d");
  EXPECT_EQ(Value(after.ftLastAccessTime), kWritten);
  EXPECT_NE(Value(after.ftLastWriteTime), kWritten);
}

TEST_F(HandlesTest, ACreationTimeIsStoredAndReadBack) {
  tree_.file("f.txt", "x");
  if (setxattr(tree_.path("f.txt").c_str(), "user.probe", "1", 1, 0) != 0)
    GTEST_SKIP() << "the temporary directory's file system has no user extended attributes";
  HANDLE h = Open("T:\\f.txt", GENERIC_WRITE);
  ASSERT_TRUE(SetFileTime(h, &Created, nullptr, nullptr));
  ASSERT_TRUE(InjectSyscallFault("futimens", 1, EROFS));
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &Written));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  CloseHandle(h);
  EXPECT_EQ(Value(Find("T:\\f.txt").ftCreationTime), kCreated);
}

}  // namespace
