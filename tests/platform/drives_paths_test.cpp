// Paths: Win32 folding, the Windows form of POSIX paths, the current directory
// and the codes of a failed lookup.
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
  EXPECT_EQ(Full("..", "C:\\data\\sub"), "C:\\data");
  EXPECT_EQ(Full("..", "C:\\data\\"), "C:\\");
  EXPECT_EQ(Full("..", "C:\\"), "C:\\");
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
  // Each call fails with the code given (GetLastError is read after the call).
  auto refused = [](auto result, auto failed, DWORD code) {
    EXPECT_EQ(result, failed);
    EXPECT_EQ(GetLastError(), code);
  };
  refused(SetCurrentDirectoryA("T:\\missing"), FALSE, ERROR_FILE_NOT_FOUND);
  refused(SetCurrentDirectoryA("T:\\missing\\below"), FALSE, ERROR_PATH_NOT_FOUND);
  refused(SetCurrentDirectoryA("T:\\plain.txt"), FALSE, ERROR_DIRECTORY);
  // A link put in place of a subdirectory since it was listed is not entered.
  refused(SetCurrentDirectoryA("T:\\walk\\swapped\\"), FALSE, ERROR_DIRECTORY);
  ASSERT_TRUE(ArmSyscallFault({"chdir", 1, EACCES}));
  refused(SetCurrentDirectoryA("T:\\walk\\inside"), FALSE, ERROR_ACCESS_DENIED);
  ASSERT_TRUE(ArmSyscallFault({"chdir", 1, ENOENT}));  // gone since it was looked up
  refused(SetCurrentDirectoryA("T:\\walk\\inside"), FALSE, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("walk")));
  refused(GetFileAttributesA("T:\\plain.txt\\x"), INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND);
  refused(GetFileAttributesA("*:\\x"), INVALID_FILE_ATTRIBUTES, ERROR_INVALID_NAME);
  // Calls that do not serve shares refuse them without asking the network.
  refused(CreateFileA("\\\\srv\\share\\x", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
          INVALID_HANDLE_VALUE, ERROR_NOT_SUPPORTED);
  MapDrives("C=/;D=" + tree_.path("no-media") + ",cdrom");
  refused(GetFileAttributesA("D:\\x"), INVALID_FILE_ATTRIBUTES, ERROR_NOT_READY);
  WIN32_FIND_DATAA data;
  refused(FindFirstFileA("D:\\*.*", &data), INVALID_HANDLE_VALUE, ERROR_NOT_READY);
}

}  // namespace
