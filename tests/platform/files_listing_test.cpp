// Directory listings: the codes a listing ends with, and its failures.
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

TEST_F(ListingTest, WhatEndsAListingBeforeItsFirstEntry) {
  DWORD err = 0;
  for (auto [pattern, code] : {std::pair<const char*, DWORD>{"T:\\dir\\*.doc", ERROR_FILE_NOT_FOUND},
                               {"T:\\nodir\\*.*", ERROR_PATH_NOT_FOUND}, {"T:\\d?r\\*.*", ERROR_INVALID_NAME},
                               {"T:\\dir\\sub\\", ERROR_FILE_NOT_FOUND}}) {  // a directory named with its separator
    EXPECT_TRUE(ListNames(pattern, &err).empty()) << pattern;
    EXPECT_EQ(err, code) << pattern;
  }
  auto opensDir = [](int, const char* name) { return std::string_view(name).ends_with("/dir"); };
  ASSERT_TRUE(ArmSyscallFault({.call = "open", .err = EACCES, .when = opensDir}));
  EXPECT_TRUE(ListNames("T:\\dir\\*.*", &err).empty());
  EXPECT_EQ(err, (DWORD)ERROR_ACCESS_DENIED);
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
