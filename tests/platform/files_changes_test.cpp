// The calls that change the tree: deleting, removing, creating and copying.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files_fixture.h"

namespace {

class ChangesTest : public MappedTreeTest {
 protected:
  static DWORD Result(BOOL ok) { return ok ? 0 : GetLastError(); }
};

// The codes the actions act on: 5 makes them take the entry over and retry.
TEST_F(ChangesTest, DeleteRemoveAndCreateGiveWindowsCodes) {
  tree_.file("d/ro.txt", "x");
  tree_.file("full/f");
  fs::create_directory_symlink(tree_.path("d"), tree_.path("link"));
  ASSERT_EQ(chmod(tree_.path("d/ro.txt").c_str(), 0444), 0);
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\ro.txt")), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA("T:\\d\\RO.TXT", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\RO.TXT")), 0u);
  EXPECT_FALSE(fs::exists(tree_.path("d/ro.txt")));
  EXPECT_EQ(Result(DeleteFileA("T:\\d")), (DWORD)ERROR_ACCESS_DENIED);
  EXPECT_EQ(Result(DeleteFileA("T:\\d\\gone")), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Result(DeleteFileA("T:\\nodir\\gone")), (DWORD)ERROR_PATH_NOT_FOUND);

  EXPECT_EQ(Result(RemoveDirectoryA("T:\\link")), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\full\\f")), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\full")), (DWORD)ERROR_DIR_NOT_EMPTY);
  EXPECT_EQ(Result(DeleteFileA("T:\\link")), 0u);  // the link, not what it points to
  EXPECT_TRUE(fs::is_directory(tree_.path("d")));

  EXPECT_EQ(Result(CreateDirectoryA("T:\\d\\new", nullptr)), 0u);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\D\\NEW", nullptr)), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\full\\f", nullptr)), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Result(CreateDirectoryA("T:\\nodir\\new", nullptr)), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Result(RemoveDirectoryA("T:\\d\\new")), 0u);
  EXPECT_FALSE(fs::exists(tree_.path("d/new")));
}

}  // namespace
