// Directory listings: FindFirstFileA / FindNextFileA / FindClose.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string_view>

#include "files_fixture.h"
#include "platform/posix/layer.h"

namespace {

class ListingTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    tree_.file("dir/a.txt", "aaa");
    tree_.file("dir/B.LOG", "b");
    tree_.file("dir/noext", "");
    tree_.dir("dir/sub");
  }
  static std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ListingTest, ListsDotsFirstThenEveryEntryThenEndsWith18) {
  DWORD end = 0;
  auto names = ListNames("T:\\dir\\*.*", &end);
  ASSERT_EQ(names.size(), 6u);
  EXPECT_EQ(names[0], ".");
  EXPECT_EQ(names[1], "..");
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{".", "..", "B.LOG", "a.txt", "noext", "sub"}));
  EXPECT_EQ(end, (DWORD)ERROR_NO_MORE_FILES);
}

TEST_F(ListingTest, ADriveRootListsNoDots) {
  EXPECT_EQ(Sorted(ListNames("T:\\*.*")), (std::vector<std::string>{"dir"}));
  EXPECT_EQ(Sorted(ListNames("T:\\*")), (std::vector<std::string>{"dir"}));
}

TEST_F(ListingTest, ARelativePatternListsTheCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\dir\\sub\\"));
  tree_.file("dir/sub/inner.txt", "");
  EXPECT_EQ(Sorted(ListNames("*.*")), (std::vector<std::string>{".", "..", "inner.txt"}));
  EXPECT_EQ(Sorted(ListNames("..\\*.txt")), (std::vector<std::string>{"a.txt"}));
}

TEST_F(ListingTest, WildcardsMatchIgnoringCase) {
  EXPECT_EQ(Sorted(ListNames("T:\\dir\\*.TXT")), (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(Sorted(ListNames("T:\\dir\\?.log")), (std::vector<std::string>{"B.LOG"}));
  EXPECT_EQ(Sorted(ListNames("T:\\dir\\*e*")), (std::vector<std::string>{"noext"}));
  EXPECT_EQ(Sorted(ListNames("T:\\dir\\s?b")), (std::vector<std::string>{"sub"}));
  EXPECT_EQ(Sorted(ListNames("T:\\dir\\.*")), (std::vector<std::string>{".", ".."}));
}

TEST_F(ListingTest, QuestionMarkMatchesOneCharacterNotOneByte) {
  tree_.file("dir/\xc3\xa9t\xc3\xa9.txt", "");  // "été.txt" in UTF-8
  EXPECT_EQ(ListNames("T:\\dir\\?t?.txt"), (std::vector<std::string>{"\xc3\xa9t\xc3\xa9.txt"}));
  EXPECT_EQ(ListNames("T:\\dir\\\xc3\x89T\xc3\x89.*"), (std::vector<std::string>{"\xc3\xa9t\xc3\xa9.txt"}));
}

TEST_F(ListingTest, NothingMatchingIsFileNotFoundAndAMissingDirectoryPathNotFound) {
  DWORD err = 0;
  EXPECT_TRUE(ListNames("T:\\dir\\*.doc", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(ListNames("T:\\nodir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(ListNames("T:\\d?r\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_INVALID_NAME);
  tree_.dir("empty");
  EXPECT_TRUE(ListNames("T:\\empty\\*.txt", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST_F(ListingTest, ANameWithoutWildcardsIsAnExactLookup) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\DIR\\A.TXT", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "a.txt");  // the name as the file system holds it
  EXPECT_EQ(data.nFileSizeLow, 3u);
  EXPECT_EQ(data.dwFileAttributes, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));

  h = FindFirstFileA("T:\\dir\\sub", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
  FindClose(h);
  DWORD err = 0;
  EXPECT_TRUE(ListNames("T:\\dir\\sub\\", &err).empty());  // a directory named with its separator
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(ListNames("T:\\dir\\missing.txt", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST_F(ListingTest, SizesAreSixtyFourBits) {
  std::filesystem::resize_file(tree_.path("dir/a.txt"), 5000000000ULL);  // sparse
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\dir\\a.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  EXPECT_EQ(data.nFileSizeHigh, 1u);
  EXPECT_EQ(data.nFileSizeLow, 705032704u);
}

TEST_F(ListingTest, TimesAreFileTimesInUtc) {
  // 2001-02-03 04:05:06.5 UTC written, 2002-01-01 00:00:00 UTC read.
  struct timespec times[2] = {{1009843200, 0}, {981173106, 500000000}};
  ASSERT_EQ(utimensat(AT_FDCWD, tree_.path("dir/a.txt").c_str(), times, 0), 0);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\dir\\a.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  EXPECT_EQ(FromFileTime(data.ftLastWriteTime), (981173106ULL + 11644473600ULL) * 10000000ULL + 5000000ULL);
  EXPECT_EQ(FromFileTime(data.ftLastAccessTime), (1009843200ULL + 11644473600ULL) * 10000000ULL);
  EXPECT_NE(FromFileTime(data.ftCreationTime), 0u);  // birth time, or the change time without one
}

TEST_F(ListingTest, ALinkIsAReparsePointNeverADirectory) {
  std::filesystem::create_directory_symlink(tree_.path("dir/sub"), tree_.path("dir/linkdir"));
  std::filesystem::create_symlink(tree_.path("dir/a.txt"), tree_.path("dir/.linkfile"));
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\dir\\*link*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  int seen = 0;
  do {
    std::string name = data.cFileName;
    DWORD expected = FILE_ATTRIBUTE_REPARSE_POINT | (name[0] == '.' ? FILE_ATTRIBUTE_HIDDEN : 0);
    EXPECT_EQ(data.dwFileAttributes, expected) << name;
    EXPECT_EQ(data.nFileSizeLow, 0u) << name;
    seen++;
  } while (FindNextFileA(h, &data));
  FindClose(h);
  EXPECT_EQ(seen, 2);
}

TEST_F(ListingTest, AListingFailingMidwayReportsItsCode) {
  for (int i = 0; i < 6; i++) tree_.file("many/f" + std::to_string(i), "");
  // The first read gives every entry; the second, which would tell the end, fails.
  ASSERT_TRUE(ArmSyscallFault({"getdents", 2, EIO}));
  DWORD err = 0;
  auto names = ListNames("T:\\many\\*.*", &err);
  EXPECT_EQ(err, (DWORD)ERROR_IO_DEVICE);
  EXPECT_EQ(names.size(), 8u);  // the dots and what was read before the failure
  EXPECT_EQ(SyscallCallCount("getdents"), 2u);
}

TEST_F(ListingTest, ListingFailuresOnOpenOrStatCarryTheirCodes) {
  DWORD err = 0;
  auto opensDir = [](int, const char* name) { return std::string_view(name).ends_with("/dir"); };
  ASSERT_TRUE(ArmSyscallFault({.call = "open", .err = EACCES, .when = opensDir}));
  EXPECT_TRUE(ListNames("T:\\dir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_ACCESS_DENIED);
  // The lookup of the directory is the first stat, the "." entry the second.
  ASSERT_TRUE(ArmSyscallFault({"stat", 2, EIO}));
  EXPECT_TRUE(ListNames("T:\\dir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_IO_DEVICE);
}

TEST_F(ListingTest, HandlesAreCheckedAndClosedOnce) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\dir\\*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

}  // namespace

namespace {

TEST_F(ListingTest, EntriesComeSortedByNameIgnoringCase) {
  for (const char* name : {"b2", "B1", "a", "C", "_x", "ä"}) tree_.file(std::string("sorted/") + name, "");
  DWORD err = 0;
  auto names = ListNames("T:\\sorted\\*", &err);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a", "B1", "b2", "C", "_x", "ä"}));
}

}  // namespace
