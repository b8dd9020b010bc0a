// user.DOSATTRIB records and SetFileAttributesA over the mode bits (listings: walk_criteria.t).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files_fixture.h"
#include "platform/posix/dos_attrib.h"

namespace {

constexpr DWORD R = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, A = FILE_ATTRIBUTE_ARCHIVE,
                D = FILE_ATTRIBUTE_DIRECTORY;

class AttributesTest : public MappedTreeTest {
 protected:
  mode_t Mode(const std::string& relative) {
    struct stat st;
    EXPECT_EQ(lstat(tree_.path(relative).c_str(), &st), 0);
    return st.st_mode & 07777;
  }
  void Chmod(const std::string& relative, mode_t mode) { ASSERT_EQ(chmod(tree_.path(relative).c_str(), mode), 0); }
};

// Samba's binary record: text, NUL, alignment, version, level, fields.
std::string SambaRecord(const std::string& text, uint16_t version, const std::vector<uint32_t>& words) {
  std::string blob = text + '\0';
  if (blob.size() % 2) blob += '\0';
  blob += std::string{(char)version, 0, (char)version, 0};
  while (blob.size() % 4) blob += '\0';
  for (uint32_t w : words) blob += std::string{(char)w, (char)(w >> 8), (char)(w >> 16), (char)(w >> 24)};
  return blob;
}

TEST(DosAttribTest, HexTextOrSambaRecords) {
  auto parse = [](const std::string& blob) {
    DosAttrib dos = ParseDosAttrib((const unsigned char*)blob.data(), blob.size());
    return std::to_string(dos.hasAttributes ? dos.attributes : 999) + " " + std::to_string(dos.creationTime);
  };
  EXPECT_EQ(parse("0x6"), "6 0");
  EXPECT_EQ(parse(std::string("0x20\0", 5)), "32 0");  // with Samba's terminator
  EXPECT_EQ(parse(SambaRecord("0x1", 3, {0x01, 0x02, 0, 0, 0, 0, 0, 7, 1})), "2 0");  // no valid time
  EXPECT_EQ(parse(SambaRecord("", 4, {0x11, 0x22, 0, 0, 7, 1})), "34 4294967303");
  EXPECT_EQ(parse(SambaRecord("", 5, {0x11, 0x04, 7, 0})), "4 7");
  EXPECT_EQ(parse(SambaRecord("0x2", 5, {0x10, 0x06, 7, 0})), "2 7");  // attributes not marked valid
  EXPECT_EQ(parse("0xZ"), "999 0");
}

TEST_F(AttributesTest, WithoutUserXattrsTheModeBitsKeepReadOnly) {
  tree_.file("f.txt");
  tree_.dir("d");
  Chmod("f.txt", 0664);
  Chmod("d", 0755);
  ASSERT_TRUE(ArmSyscallFault({"setxattr", 1, ENOTSUP, 10}));
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", R | H));
  EXPECT_EQ(Mode("f.txt"), 0444u);
  EXPECT_EQ(GetFileAttributesA("T:\\f.txt"), R | A);  // H was not kept; A is the default
  ASSERT_TRUE(SetFileAttributesA("T:\\f.txt", A));
  EXPECT_EQ(Mode("f.txt"), 0644u);  // the owner may write again
  ASSERT_TRUE(SetFileAttributesA("T:\\d\\", R));
  EXPECT_EQ(Mode("d"), 0755u);  // R never keeps anyone from creating files in a directory
  EXPECT_EQ(GetFileAttributesA("T:\\d"), D);
}

}  // namespace
