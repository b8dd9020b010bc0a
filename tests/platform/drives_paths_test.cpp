// Paths: the Win32 folding of GetFullPathNameA, the Windows form of POSIX
// paths, the current directory, the program's own path, and the lookup that
// ignores case when a name is missing.
#include <gtest/gtest.h>

#include <fstream>

#include "files_fixture.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/win_path.h"

namespace {

std::string Full(const std::string& path, const std::string& current) {
  std::string full;
  EXPECT_TRUE(FullWindowsPath(path, current, full)) << path;
  return full;
}

TEST(FullPathTest, FoldsDotsSeparatorsAndTrailingPeriods) {
  EXPECT_EQ(Full("C:\\a\\.\\b\\..\\c", "C:\\"), "C:\\a\\c");
  EXPECT_EQ(Full("C:/a//b/", "C:\\"), "C:\\a\\b\\");
  EXPECT_EQ(Full("C:\\a\\..\\..\\..\\", "C:\\"), "C:\\");
  EXPECT_EQ(Full("C:\\a\\b.", "C:\\"), "C:\\a\\b");
  EXPECT_EQ(Full("C:\\a.\\b. . ", "C:\\"), "C:\\a\\b");
  EXPECT_EQ(Full("C:\\...\\x", "C:\\"), "C:\\...\\x");
  EXPECT_EQ(Full("C:\\data\\*.*", "C:\\"), "C:\\data\\*.*");
  EXPECT_EQ(Full("C:\\data\\.", "C:\\"), "C:\\data");
}

TEST(FullPathTest, RelativePathsStartFromTheCurrentDirectory) {
  EXPECT_EQ(Full("x\\y", "C:\\data"), "C:\\data\\x\\y");
  EXPECT_EQ(Full("..\\x", "C:\\data\\sub"), "C:\\data\\x");
  EXPECT_EQ(Full("\\x", "C:\\data"), "C:\\x");
  EXPECT_EQ(Full("*.*", "C:\\"), "C:\\*.*");
  EXPECT_EQ(Full("C:", "C:\\data"), "C:\\data");
  EXPECT_EQ(Full("c:rel", "C:\\data"), "C:\\data\\rel");
  EXPECT_EQ(Full("D:", "C:\\data"), "D:\\");
  EXPECT_EQ(Full("D:rel\\..\\x", "C:\\data"), "D:\\x");
}

TEST(FullPathTest, ADriveClassKeepsItsForm) {
  EXPECT_EQ(Full("*:\\x\\..\\y\\", "C:\\data"), "*:\\y\\");
  EXPECT_EQ(Full("*:\\x", "C:\\data"), "*:\\x");
}

TEST(FullPathTest, UncPathsFoldBelowTheShare) {
  EXPECT_EQ(Full("\\\\srv\\share\\a\\..\\b", "C:\\"), "\\\\srv\\share\\b");
  EXPECT_EQ(Full("//srv/share/a/../../..", "C:\\"), "\\\\srv\\share\\");
  EXPECT_EQ(Full("x", "\\\\srv\\share\\dir"), "\\\\srv\\share\\dir\\x");
  EXPECT_EQ(Full("\\x", "\\\\srv\\share\\dir"), "\\\\srv\\share\\x");
}

TEST(FullPathTest, OnNoDriveTheRootIsTheSlash) {
  EXPECT_EQ(Full("x", "\\\\?\\unix\\opt\\keltro"), "\\\\?\\unix\\opt\\keltro\\x");
  EXPECT_EQ(Full("\\x", "\\\\?\\unix\\opt\\keltro"), "\\\\?\\unix\\x");
  EXPECT_EQ(Full("..\\..\\..", "\\\\?\\unix\\opt\\keltro"), "\\\\?\\unix\\");
  std::string full;
  EXPECT_FALSE(FullWindowsPath("", "C:\\", full));
}

class PathCallsTest : public MappedTreeTest {};

TEST_F(PathCallsTest, WindowsFormTakesTheLongestDriveRoot) {
  EXPECT_EQ(WindowsFormOf(tree_.root() + "/a/b"), "T:\\a\\b");
  EXPECT_EQ(WindowsFormOf(tree_.root()), "T:\\");
  EXPECT_EQ(WindowsFormOf(tree_.root() + "x/y"), "C:" + WithBackslashes(tree_.root()) + "x\\y");
  MapDrives("T=" + tree_.root());
  EXPECT_EQ(WindowsFormOf("/opt/y"), "\\\\?\\unix\\opt\\y");
}

TEST_F(PathCallsTest, GetFullPathNameReportsLengthsAndTheFilePart) {
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\"));
  char buffer[64];
  char* filePart = nullptr;
  EXPECT_EQ(GetFullPathNameA("sub/file.txt", sizeof buffer, buffer, &filePart), 15u);
  EXPECT_STREQ(buffer, "T:\\sub\\file.txt");
  EXPECT_STREQ(filePart, "file.txt");
  // Too small: the size needed, terminator included; exactly big enough: the length.
  EXPECT_EQ(GetFullPathNameA("sub/file.txt", 15, buffer, &filePart), 16u);
  EXPECT_EQ(GetFullPathNameA("sub/file.txt", 16, buffer, &filePart), 15u);
  EXPECT_EQ(GetFullPathNameA("sub\\", sizeof buffer, buffer, &filePart), 7u);
  EXPECT_EQ(filePart, nullptr);
  SetLastError(0);
  EXPECT_EQ(GetFullPathNameA("", sizeof buffer, buffer, &filePart), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME);
  EXPECT_EQ(GetFullPathNameA("DISK*:\\x" + 4, sizeof buffer, buffer, nullptr), 4u);
  EXPECT_STREQ(buffer, "*:\\x");
}

TEST_F(PathCallsTest, SetCurrentDirectoryChangesTheProcessDirectory) {
  tree_.dir("sub/deeper");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\sub\\deeper\\"));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("sub/deeper")));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 13u);
  EXPECT_STREQ(buffer, "T:\\sub\\deeper");
  EXPECT_EQ(GetCurrentDirectoryA(13, buffer), 14u);  // too small: size needed
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  GetCurrentDirectoryA(sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "T:\\sub");
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("sub")));
}

TEST_F(PathCallsTest, SetCurrentDirectoryRefusalsCarryWin32Codes) {
  tree_.file("plain.txt", "x");
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\missing"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\missing\\below"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\plain.txt"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  EXPECT_FALSE(SetCurrentDirectoryA("Q:\\"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  tree_.dir("locked");
  ASSERT_TRUE(ArmSyscallFault({"chdir", 1, EACCES}));
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\locked"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  char buffer[MAX_PATH];
  GetCurrentDirectoryA(sizeof buffer, buffer);
  EXPECT_STRNE(buffer, "T:\\locked");  // a refused change leaves the current directory
}

TEST_F(PathCallsTest, ALinkInPlaceOfASubdirectoryIsNotEntered) {
  tree_.dir("walk/inside");
  tree_.dir("elsewhere");
  std::filesystem::create_directory_symlink(tree_.path("elsewhere"), tree_.path("walk/swapped"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\walk\\"));
  EXPECT_TRUE(SetCurrentDirectoryA("T:\\walk\\inside\\"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\walk\\"));
  EXPECT_FALSE(SetCurrentDirectoryA("T:\\walk\\swapped\\"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("walk")));
  EXPECT_TRUE(SetCurrentDirectoryA("T:\\walk\\INSIDE"));  // found in the held directory ignoring case
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("walk/inside")));
}

TEST_F(PathCallsTest, MissingNamesAreFoundAgainIgnoringCase) {
  tree_.file("Data/Reports/Year.TXT", "x");
  tree_.file("Data/Reports/year.txt", "yy");
  tree_.file("Data/Only.Log", "");
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\DATA\\reports\\YEAR.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  // No exact name: the first name that equals it ignoring case.
  EXPECT_TRUE(std::string(data.cFileName) == "Year.TXT" || std::string(data.cFileName) == "year.txt");
  // An exact name wins over one that differs in case.
  h = FindFirstFileA("T:\\DATA\\reports\\year.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  EXPECT_STREQ(data.cFileName, "year.txt");
  EXPECT_EQ(data.nFileSizeLow, 2u);
  EXPECT_NE(GetFileAttributesA("t:\\data\\ONLY.LOG"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\DATA\\REPORTS"));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(tree_.path("Data/Reports")));
}

TEST_F(PathCallsTest, LookupFailuresTellAMissingEntryFromAMissingParent) {
  tree_.file("dir/file.txt", "x");
  EXPECT_EQ(GetFileAttributesA("T:\\dir\\none.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("T:\\nodir\\none.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("T:\\dir\\file.txt\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("Q:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesA("*:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME);
  EXPECT_EQ(GetFileAttributesA("T:\\d*\\file.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME);
  EXPECT_EQ(GetFileAttributesA("\\\\srv\\share\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_NETPATH);
}

TEST_F(PathCallsTest, ADriveWhoseRootIsMissingIsNotReady) {
  MapDrives("C=/;D=" + tree_.path("no-media") + ",cdrom");
  EXPECT_EQ(GetFileAttributesA("D:\\x"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA("D:\\*.*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
}

TEST_F(PathCallsTest, ModuleFileNameIsTheExecutableInWindowsForm) {
  std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  char buffer[1024];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, length), "C:" + WithBackslashes(exe));
  // No drive covers it: the POSIX path in the no-drive form.
  MapDrives("T=" + tree_.root());
  std::string noDrive = "\\\\?\\unix" + WithBackslashes(exe);
  length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, length), noDrive);
  // Cut to the buffer, with its terminator.
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 5), 5u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(buffer), noDrive.substr(0, 4));
}

}  // namespace
