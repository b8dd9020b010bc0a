// The errno-to-Win32 translation that every message's error code comes from.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/posix/layer.h"

namespace {

TEST(ErrnoMapTest, GivesTheCodesTheActionsTestFor) {
  EXPECT_EQ(Win32ErrorFromErrno(ENOENT), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Win32ErrorFromErrno(ENOTDIR), (DWORD)ERROR_PATH_NOT_FOUND);
  for (int err : {EACCES, EPERM, EROFS}) EXPECT_EQ(Win32ErrorFromErrno(err), (DWORD)ERROR_ACCESS_DENIED) << err;
  EXPECT_EQ(Win32ErrorFromErrno(EEXIST), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_EQ(Win32ErrorFromErrno(ENOTEMPTY), (DWORD)ERROR_DIR_NOT_EMPTY);
  EXPECT_EQ(Win32ErrorFromErrno(ENOSPC), (DWORD)ERROR_DISK_FULL);
  EXPECT_EQ(Win32ErrorFromErrno(ENAMETOOLONG), (DWORD)ERROR_FILENAME_EXCED_RANGE);
  EXPECT_EQ(Win32ErrorFromErrno(ELOOP), (DWORD)ERROR_CANT_RESOLVE_FILENAME);
  EXPECT_EQ(Win32ErrorFromErrno(EIO), (DWORD)ERROR_IO_DEVICE);
  EXPECT_EQ(Win32ErrorFromErrno(EBUSY), (DWORD)ERROR_BUSY);
  EXPECT_EQ(Win32ErrorFromErrno(EMFILE), (DWORD)ERROR_TOO_MANY_OPEN_FILES);
  EXPECT_EQ(Win32ErrorFromErrno(EINVAL), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(ErrnoMapTest, NeverGivesZeroAndSetsTheLastError) {
  for (int err = 0; err < 200; err++) EXPECT_NE(Win32ErrorFromErrno(err), 0u) << err;
  EXPECT_EQ(Win32ErrorFromErrno(EHOSTDOWN), Win32ErrorFromErrno(0));  // one fixed code for the unknown
  SetLastError(0);
  EXPECT_EQ(SetLastErrorFromErrno(ENOTEMPTY), (DWORD)ERROR_DIR_NOT_EMPTY);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIR_NOT_EMPTY);
}

}  // namespace
