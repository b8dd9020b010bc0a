// Directory listings: the codes a listing ends with, and its failures.
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "files_fixture.h"
#include "platform/layer_hints.h"

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

// The walker's hints leave out only what they name, and a listing keeps them
// from its start.
TEST_F(ListingTest, ListingHintsLeaveOutOnlyWhatTheyName) {
  tree_.dir("dir/.hid");  // hidden by its name, which a look at it tells
  struct Seen {
    DWORD attributes;
    DWORD size;
    bool timed;
  };
  auto list = [](bool lean) {
    bool times = ListTimes(!lean), dots = ListDotValues(!lean), byType = ListDirectoriesByType(lean);
    std::map<std::string, Seen> seen;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA("T:\\dir\\*.*", &data);
    ListTimes(times), ListDotValues(dots), ListDirectoriesByType(byType);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    do seen[data.cFileName] = {data.dwFileAttributes, data.nFileSizeLow, data.ftLastWriteTime.dwHighDateTime != 0};
    while (FindNextFileA(h, &data));
    FindClose(h);
    return seen;
  };
  auto lean = list(true);
  ASSERT_EQ(lean.size(), 6u);
  for (const char* name : {".", "..", "sub", ".hid"}) {
    EXPECT_EQ(lean[name].attributes, (DWORD)FILE_ATTRIBUTE_DIRECTORY) << name;
    EXPECT_FALSE(lean[name].timed) << name;
  }
  EXPECT_EQ(lean["a.txt"].attributes, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(lean["a.txt"].size, 3u);
  EXPECT_FALSE(lean["a.txt"].timed);
  auto full = list(false);
  for (const char* name : {".", "sub", "a.txt"}) EXPECT_TRUE(full[name].timed) << name;
  EXPECT_EQ(full[".hid"].attributes, (DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
}

}  // namespace
