// Paths: the Win32 folding of GetFullPathNameA, the Windows form of POSIX
// paths, the current directory and the codes of a failed lookup. Lookups
// that ignore case are in walk_wildcards.t.
#include <gtest/gtest.h>

#include "files_fixture.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/win_path.h"

namespace {

std::string Full(const std::string& path, const std::string& current) {
  std::string full;
  EXPECT_TRUE(FullWindowsPath(path, current, full)) << path;
  return full;
}

TEST(FullPathTest, FoldsTheWayWin32Does) {
  EXPECT_EQ(Full("C:/a//.\\b\\..\\c/", "C:\\"), "C:\\a\\c\\");
  EXPECT_EQ(Full("C:\\a\\..\\..\\..\\", "C:\\"), "C:\\");
  EXPECT_EQ(Full("C:\\a.\\b. . ", "C:\\"), "C:\\a\\b");
  EXPECT_EQ(Full("C:\\...\\x", "C:\\"), "C:\\...\\x");
  EXPECT_EQ(Full("..\\x", "C:\\data\\sub"), "C:\\data\\x");
  EXPECT_EQ(Full("\\x", "C:\\data"), "C:\\x");
  EXPECT_EQ(Full("c:rel", "C:\\data"), "C:\\data\\rel");
  EXPECT_EQ(Full("D:rel\\..\\x", "C:\\data"), "D:\\x");
  EXPECT_EQ(Full("*:\\x\\..\\y\\", "C:\\data"), "*:\\y\\");
  EXPECT_EQ(Full("//srv/share/a/../../..", "C:\\"), "\\\\srv\\share\\");
  EXPECT_EQ(Full("x", "\\\\?\\unix\\opt\\keltro"), "\\\\?\\unix\\opt\\keltro\\x");  // on no drive
  EXPECT_EQ(Full("..\\..\\..", "\\\\?\\unix\\opt\\keltro"), "\\\\?\\unix\\");
}

class PathCallsTest : public MappedTreeTest {};

TEST_F(PathCallsTest, CurrentDirectoryAndLengths) {
  tree_.dir("sub/deeper");
  EXPECT_EQ(WindowsFormOf(tree_.root() + "x/y"), "C:" + WithBackslashes(tree_.root()) + "x\\y");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\sub\\deeper\\"));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("sub/deeper")));
  char buffer[64];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 13u);
  EXPECT_STREQ(buffer, "T:\\sub\\deeper");
  EXPECT_EQ(GetCurrentDirectoryA(13, buffer), 14u);  // too small: the size needed
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  char* filePart = nullptr;
  EXPECT_EQ(GetFullPathNameA("f.txt", sizeof buffer, buffer, &filePart), 12u);
  EXPECT_STREQ(filePart, "f.txt");
  EXPECT_EQ(GetFullPathNameA("f.txt", 12, buffer, &filePart), 13u);
}

TEST_F(PathCallsTest, RefusalsCarryWin32CodesAndChangeNothing) {
  tree_.file("plain.txt", "x");
  tree_.dir("walk/inside");
  std::filesystem::create_directory_symlink(tree_.path("walk/inside"), tree_.path("walk/swapped"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\walk\\"));
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\missing"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\missing\\below"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\plain.txt"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  // A link put in place of a subdirectory since it was listed is not entered.
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\walk\\swapped\\"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  ASSERT_TRUE(ArmSyscallFault({"chdir", 1, EACCES}));
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\walk\\inside"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(ArmSyscallFault({"chdir", 1, ENOENT}));  // gone since it was looked up
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\walk\\inside"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("walk")));
  EXPECT_EQ(GetFileAttributesA("T:\\plain.txt\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("*:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME);
  EXPECT_EQ(GetFileAttributesA("\\\\srv\\share\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_NETPATH);
  MapDrives("C=/;D=" + tree_.path("no-media") + ",cdrom");
  EXPECT_EQ(GetFileAttributesA("D:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA("D:\\*.*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
}

}  // namespace
