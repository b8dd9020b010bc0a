// Directory listings: FindFirstFileA / FindNextFileA / FindClose. The
// walker's transcripts show the listing order, sizes, times and links; here
// are the codes a listing ends with and its failures.
#include <gtest/gtest.h>

#include <string_view>

#include "files_fixture.h"

namespace {

using Names = std::vector<std::string>;

// Every name a listing gives, in listing order; lastError is the error that ended it.
Names ListNames(const std::string& pattern, DWORD* lastError = nullptr) {
  Names names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do names.push_back(data.cFileName);
    while (FindNextFileA(h, &data));
  }
  if (lastError) *lastError = GetLastError();
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  return names;
}

class ListingTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    tree_.file("dir/a.txt", "aaa");
    tree_.file("dir/B.LOG", "b");
    tree_.dir("dir/sub");
  }
};

TEST_F(ListingTest, DotsFirstThenNamesIgnoringCaseThenError18) {
  for (const char* name : {"b2", "B1", "C", "_x", "\xc3\xa4"}) tree_.file(std::string("sorted/") + name);
  DWORD end = 0;
  EXPECT_EQ(ListNames("T:\\sorted\\*", &end), (Names{".", "..", "B1", "b2", "C", "_x", "\xc3\xa4"}));
  EXPECT_EQ(end, (DWORD)ERROR_NO_MORE_FILES);
  EXPECT_EQ(ListNames("T:\\*.*"), (Names{"dir", "sorted"}));  // a drive root has no dots
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\dir\\sub\\"));
  EXPECT_EQ(ListNames("..\\?.TXT"), (Names{"a.txt"}));  // relative, and ignoring case
  tree_.file("dir/\xc3\xa9t\xc3\xa9.txt");
  EXPECT_EQ(ListNames("T:\\dir\\?T?.*"), (Names{"\xc3\xa9t\xc3\xa9.txt"}));  // ? is one character
  EXPECT_EQ(ListNames("T:\\dir\\\xc3\x89T\xc3\x89.*"), (Names{"\xc3\xa9t\xc3\xa9.txt"}));
}

TEST_F(ListingTest, WhatEndsAListingBeforeItsFirstEntry) {
  DWORD err = 0;
  EXPECT_TRUE(ListNames("T:\\dir\\*.doc", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(ListNames("T:\\nodir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(ListNames("T:\\d?r\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_INVALID_NAME);
  EXPECT_TRUE(ListNames("T:\\dir\\sub\\", &err).empty());  // a directory named with its separator
  EXPECT_EQ(err, (DWORD)ERROR_FILE_NOT_FOUND);
  auto opensDir = [](int, const char* name) { return std::string_view(name).ends_with("/dir"); };
  ASSERT_TRUE(ArmSyscallFault({.call = "open", .err = EACCES, .when = opensDir}));
  EXPECT_TRUE(ListNames("T:\\dir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_ACCESS_DENIED);
}

TEST_F(ListingTest, ANameWithoutWildcardsIsAnExactLookup) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\DIR\\A.TXT", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "a.txt");  // the name as the file system holds it
  EXPECT_EQ(data.nFileSizeLow, 3u);
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));
}

TEST_F(ListingTest, AListingFailingMidwayReportsItsCode) {
  for (int i = 0; i < 6; i++) tree_.file("many/f" + std::to_string(i));
  // The first read gives every entry; the second, which would tell the end, fails.
  ASSERT_TRUE(ArmSyscallFault({"getdents", 2, EIO}));
  DWORD err = 0;
  auto names = ListNames("T:\\many\\*.*", &err);
  EXPECT_EQ(err, (DWORD)ERROR_IO_DEVICE);
  EXPECT_EQ(names.size(), 8u);  // the dots and what was read before the failure
}

}  // namespace
