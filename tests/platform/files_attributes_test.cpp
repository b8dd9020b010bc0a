// File attributes: GetFileAttributesA and SetFileAttributesA over mode bits,
// user.DOSATTRIB and the dot-name convention.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

#include "files_fixture.h"

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                A = FILE_ATTRIBUTE_ARCHIVE, D = FILE_ATTRIBUTE_DIRECTORY;

class AttributesTest : public MappedTreeTest {
 protected:
  void Chmod(const std::string& relative, mode_t mode) {
    ASSERT_EQ(chmod(tree_.path(relative).c_str(), mode), 0);
  }
  mode_t Mode(const std::string& relative) {
    struct stat st;
    EXPECT_EQ(lstat(tree_.path(relative).c_str(), &st), 0);
    return st.st_mode & 07777;
  }
  // Skips the test where the tree's file system holds no user extended attributes.
  bool XattrsSupported() {
    tree_.file("xattr-probe");
    return setxattr(tree_.path("xattr-probe").c_str(), "user.probe", "1", 1, 0) == 0;
  }
  void SetXattr(const std::string& relative, const std::string& value) {
    ASSERT_EQ(setxattr(tree_.path(relative).c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
  }
  std::string GetXattr(const std::string& relative, const char* name) {
    char value[256];
    ssize_t n = getxattr(tree_.path(relative).c_str(), name, value, sizeof value);
    return n < 0 ? "<none>" : std::string(value, (size_t)n);
  }
};

#define SKIP_WITHOUT_XATTRS() \
  if (!XattrsSupported()) GTEST_SKIP() << "the temporary directory's file system has no user extended attributes"

TEST_F(AttributesTest, WithoutTheAttributeTypeModeAndNameDecide) {
  tree_.file("plain.txt");
  tree_.file(".profile");
  tree_.file("locked.txt");
  tree_.dir("folder");
  tree_.dir(".cache");
  tree_.dir("frozen");
  Chmod("locked.txt", 0444);
  Chmod("frozen", 0555);
  EXPECT_EQ(GetFileAttributesA("T:\\plain.txt"), A);
  EXPECT_EQ(GetFileAttributesA("T:\\.profile"), H | A);
  EXPECT_EQ(GetFileAttributesA("T:\\locked.txt"), R | A);
  EXPECT_EQ(GetFileAttributesA("T:\\folder"), D);
  EXPECT_EQ(GetFileAttributesA("T:\\.cache\\"), H | D);
  EXPECT_EQ(GetFileAttributesA("T:\\frozen"), R | D);
  EXPECT_EQ(GetFileAttributesA("T:\\"), D);
}

TEST_F(AttributesTest, ALinkIsAReparsePointAndIsNotFollowed) {
  tree_.dir("target");
  Chmod("target", 0750);
  std::filesystem::create_directory_symlink(tree_.path("target"), tree_.path("link"));
  EXPECT_EQ(GetFileAttributesA("T:\\link"), (DWORD)FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_TRUE(SetFileAttributesA("T:\\link", R | H));
  EXPECT_EQ(GetFileAttributesA("T:\\link"), (DWORD)FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_EQ(Mode("target"), 0750u);  // the target is untouched
  EXPECT_EQ(GetFileAttributesA("T:\\target"), D);
}

TEST_F(AttributesTest, HexTextAttributeGivesHiddenSystemArchive) {
  SKIP_WITHOUT_XATTRS();
  tree_.file("f.txt");
  tree_.file(".dot");
  tree_.dir("d");
  SetXattr("f.txt", "0x6");       // H and S: no A although a regular file
  SetXattr(".dot", "0x20");       // A only: a dot name is then not hidden
  SetXattr("d", std::string("0x12\0", 5));  // with Samba's terminator
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), H | S);
  EXPECT_EQ(GetFileAttributesA("T:\\.dot"), A);
  EXPECT_EQ(GetFileAttributesA("T:\\d"), H | D);
  SetXattr("f.txt", "0x0");
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), (DWORD)FILE_ATTRIBUTE_NORMAL);
}

// Samba's binary record: text, NUL, alignment, version, level, fields.
std::string SambaRecord(const std::string& text, uint16_t version, const std::vector<uint32_t>& words) {
  std::string blob = text + '\0';
  if (blob.size() % 2) blob += '\0';
  blob += std::string{(char)version, 0, (char)version, 0};
  while (blob.size() % 4) blob += '\0';
  for (uint32_t w : words) blob += std::string{(char)w, (char)(w >> 8), (char)(w >> 16), (char)(w >> 24)};
  return blob;
}

TEST_F(AttributesTest, SambaBinaryRecordsGiveAttributesAndCreationTime) {
  SKIP_WITHOUT_XATTRS();
  const ULONGLONG created = 131000000000000000ULL;
  const uint32_t lo = (uint32_t)created, hi = (uint32_t)(created >> 32);
  tree_.file("v4.txt");
  tree_.file("v5.txt");
  tree_.file("v3.txt");
  tree_.file("noattr.txt");
  // version 4: valid flags (attributes | creation time), attributes, itime, creation time
  SetXattr("v4.txt", SambaRecord("", 4, {0x11, 0x22, 0, 0, lo, hi}));
  // version 5: valid flags, attributes, creation time
  SetXattr("v5.txt", SambaRecord("", 5, {0x11, 0x04, lo, hi}));
  // version 3 after a hex text: flags, attributes, ea size, size, alloc size, creation time
  SetXattr("v3.txt", SambaRecord("0x1", 3, {0x01, 0x02, 0, 0, 0, 0, 0, lo, hi}));
  // attributes not marked valid: the record says nothing about them
  SetXattr("noattr.txt", SambaRecord("", 5, {0x10, 0x06, lo, hi}));
  EXPECT_EQ(GetFileAttributesA("T:\\v4.txt"), H | A);
  EXPECT_EQ(GetFileAttributesA("T:\\v5.txt"), S);
  EXPECT_EQ(GetFileAttributesA("T:\\v3.txt"), H);
  EXPECT_EQ(GetFileAttributesA("T:\\noattr.txt"), A);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("T:\\v4.txt", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  EXPECT_EQ(data.ftCreationTime.dwLowDateTime, lo);
  EXPECT_EQ(data.ftCreationTime.dwHighDateTime, hi);
}

TEST_F(AttributesTest, SetStoresHexTextAndReadOnlyInTheModeBits) {
  SKIP_WITHOUT_XATTRS();
  tree_.file("f.txt");
  Chmod("f.txt", 0664);
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", R | H | S));
  EXPECT_EQ(Mode("f.txt"), 0444u);
  EXPECT_EQ(GetXattr("f.txt", "user.DOSATTRIB"), "0x7");
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), R | H | S);
  // Still read-only, another word: the attribute is rewritten all the same.
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", R | A));
  EXPECT_EQ(GetXattr("f.txt", "user.DOSATTRIB"), "0x21");
  EXPECT_EQ(Mode("f.txt"), 0444u);
  // Normal: the owner may write again, nothing else is set.
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(Mode("f.txt"), 0644u);
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), (DWORD)FILE_ATTRIBUTE_NORMAL);
}

TEST_F(AttributesTest, AReadOnlyFileIsOpenedUpJustForStoringTheAttribute) {
  SKIP_WITHOUT_XATTRS();
  tree_.file("f.txt");
  Chmod("f.txt", 0444);
  // As a user other than root, setting the attribute of a file without write
  // permission is refused once.
  ASSERT_TRUE(ArmSyscallFault({"setxattr", 1, EACCES}));
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", R | H));
  EXPECT_EQ(SyscallCallCount("setxattr"), 2u);
  EXPECT_EQ(Mode("f.txt"), 0444u);
  EXPECT_EQ(GetXattr("f.txt", "user.DOSATTRIB"), "0x3");
}

TEST_F(AttributesTest, ReadOnlyLeavesADirectoryWritable) {
  SKIP_WITHOUT_XATTRS();
  tree_.dir("d");
  Chmod("d", 0755);
  ASSERT_TRUE(SetFileAttributesA("T:\\d\\", R | H));
  EXPECT_EQ(Mode("d"), 0755u);
  EXPECT_EQ(GetFileAttributesA("T:\\d"), H | D);
}

TEST_F(AttributesTest, WithoutUserXattrsOnlyWhatPosixHoldsIsKept) {
  tree_.file("f.txt");
  ASSERT_TRUE(ArmSyscallFault({"setxattr", 1, ENOTSUP, 10}));
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", R | H));
  ClearSyscallFaults();
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), R | A);  // H was not kept; A is the default
}

TEST_F(AttributesTest, FailuresCarryWin32Codes) {
  tree_.file("f.txt");
  ASSERT_TRUE(ArmSyscallFault({"chmod", 1, EPERM}));
  EXPECT_FALSE(SetFileAttributesA("T:\\f.txt", R));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(ArmSyscallFault({"setxattr", 1, ENOSPC}));
  EXPECT_FALSE(SetFileAttributesA("T:\\f.txt", H));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
  EXPECT_FALSE(SetFileAttributesA("T:\\none.txt", H));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

}  // namespace
