// The layer answers from the file system and stays in the tree a walk came
// down: a directory swapped for a link above the walk is never followed back
// up, and a name found missing is found as soon as it exists.
#include <gtest/gtest.h>

#include "files_fixture.h"

namespace {

class TreeSafetyTest : public MappedTreeTest {
 protected:
  // The names FindFirstFileA gives for `pattern`, "." and ".." left out.
  static std::string Names(const char* pattern) {
    std::string names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE) return "error " + std::to_string(GetLastError());
    do
      if (data.cFileName[0] != '.') names += std::string(data.cFileName) + " ";
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }
  static DWORD Open(const char* path, DWORD disposition) {
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0;
  }
};

// The walker's steps: down by absolute paths, back up to the parent's path.
TEST_F(TreeSafetyTest, AParentSwappedForALinkIsNotFollowedBackUp) {
  tree_.file("race/a/zz/f");
  tree_.file("race/a/zz2/g");
  tree_.file("outside/zz2/SENTINEL");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race\\a"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race\\a\\zz"));
  fs::rename(tree_.path("race/a"), tree_.path("moved"));
  fs::create_directory_symlink(tree_.path("outside"), tree_.path("race/a"));
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race\\a"));
  EXPECT_EQ(Names("*.*"), "zz zz2 ");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race\\a\\zz2"));
  EXPECT_EQ(Names("*.*"), "g ");
  EXPECT_EQ(fs::current_path(), fs::path(tree_.path("moved/zz2")));
}

// The walker deletes the entries of the directory it stands in by their paths.
TEST_F(TreeSafetyTest, AParentSwappedForALinkCannotLeadADeleteOutOfTheTree) {
  tree_.file("race/a/zz/f");
  tree_.dir("race/a/zz/sub");
  tree_.file("outside/zz/f");
  tree_.dir("outside/zz/sub");
  ASSERT_TRUE(SetCurrentDirectoryA("T:\\race\\a\\zz"));
  fs::rename(tree_.path("race/a"), tree_.path("moved"));
  fs::create_directory_symlink(tree_.path("outside"), tree_.path("race/a"));
  EXPECT_TRUE(DeleteFileA("T:\\race\\a\\zz\\f"));
  EXPECT_TRUE(RemoveDirectoryA("T:\\race\\a\\zz\\sub"));
  EXPECT_TRUE(fs::exists(tree_.path("outside/zz/f")));
  EXPECT_TRUE(fs::exists(tree_.path("outside/zz/sub")));
  EXPECT_FALSE(fs::exists(tree_.path("moved/zz/f")));
  EXPECT_FALSE(fs::exists(tree_.path("moved/zz/sub")));
}

TEST_F(TreeSafetyTest, ANameFoundMissingIsFoundAsSoonAsItExists) {
  tree_.dir("d");
  EXPECT_EQ(Open("T:\\d\\new", OPEN_EXISTING), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("T:\\d\\new", CREATE_NEW), 0u);
  EXPECT_EQ(Open("T:\\d\\new", OPEN_EXISTING), 0u);
  // Looked up ignoring case, then made by someone else in a way the
  // directory's time does not show (as within one tick of the clock).
  auto stamp = fs::file_time_type::clock::now() + std::chrono::seconds(60);
  fs::last_write_time(tree_.path("d"), stamp);
  EXPECT_EQ(Open("T:\\d\\OTHER", OPEN_EXISTING), ERROR_FILE_NOT_FOUND);
  tree_.file("d/other");
  fs::last_write_time(tree_.path("d"), stamp);
  EXPECT_EQ(Open("T:\\d\\OTHER", OPEN_EXISTING), 0u);
  EXPECT_EQ(Names("T:\\d\\*"), "new other ");
}

// The layer's own changes keep the names it read to look up others in any
// case: what it made is found at once, what it removed is gone at once.
TEST_F(TreeSafetyTest, ANameTheLayerMakesOrRemovesIsFoundOrGoneAtOnce) {
  tree_.file("src");
  tree_.dir("d");
  ASSERT_TRUE(CreateDirectoryA("T:\\d\\sub", nullptr));
  EXPECT_EQ(Open("T:\\d\\FILE", OPEN_EXISTING), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("T:\\d\\file", CREATE_NEW), 0u);
  EXPECT_TRUE(CopyFileA("T:\\src", "T:\\d\\copy", TRUE));
  EXPECT_EQ(Open("T:\\d\\FILE", OPEN_EXISTING), 0u);
  EXPECT_EQ(Open("T:\\d\\COPY", OPEN_EXISTING), 0u);
  EXPECT_EQ(Open("T:\\d\\SUB\\new", CREATE_NEW), 0u);
  EXPECT_TRUE(DeleteFileA("T:\\d\\FILE"));
  EXPECT_TRUE(DeleteFileA("T:\\d\\Sub\\new"));
  EXPECT_TRUE(RemoveDirectoryA("T:\\d\\SUB"));
  EXPECT_EQ(GetFileAttributesA("T:\\d\\SUB\\new"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Open("T:\\d\\File", CREATE_NEW), 0u);  // as spelled, not as the removed name was
  tree_.file("d/other");
  EXPECT_EQ(Open("T:\\d\\OTHER", OPEN_EXISTING), 0u);
  EXPECT_EQ(Names("T:\\d\\*"), "copy File other ");
}

// The format lookup asks for a change of the program's folder on every line;
// the folder itself moving away signals too.
TEST_F(TreeSafetyTest, AChangeNotificationSeesANameMadeByAnyone) {
  tree_.dir("d");
  HANDLE changes = FindFirstChangeNotificationA("T:\\d", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
  ASSERT_NE(changes, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WaitForSingleObject(changes, 0), WAIT_TIMEOUT);
  tree_.file("d/made");
  EXPECT_EQ(WaitForSingleObject(changes, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(changes, 0), WAIT_OBJECT_0);  // until re-armed
  EXPECT_TRUE(FindNextChangeNotification(changes));
  EXPECT_EQ(WaitForSingleObject(changes, 20), WAIT_TIMEOUT);
  fs::remove(tree_.path("d/made"));
  EXPECT_EQ(WaitForSingleObject(changes, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(FindNextChangeNotification(changes));
  fs::rename(tree_.path("d"), tree_.path("moved"));
  EXPECT_EQ(WaitForSingleObject(changes, 1000), WAIT_OBJECT_0);
  EXPECT_TRUE(FindCloseChangeNotification(changes));
}

}  // namespace
