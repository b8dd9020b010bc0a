// Change notifications: FindFirstChangeNotificationA, FindNextChangeNotification,
// FindCloseChangeNotification and WaitForSingleObject on their handles, served
// by inotify. A handle is signalled from the first change after it was made
// (or re-armed) until FindNextChangeNotification re-arms it; a wait never
// blocks longer than asked and reads only what the kernel has queued.
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/path_lookup.h"

namespace {

struct ChangeHandle : LayerHandle {
  int fd;
  bool signalled;
};

bool CloseChange(LayerHandle* handle) {
  ChangeHandle* change = static_cast<ChangeHandle*>(handle);
  bool closed = close(change->fd) == 0;
  if (!closed) SetLastErrorFromErrno(errno);
  delete change;
  return closed;
}

ChangeHandle* FindChange(HANDLE h) { return static_cast<ChangeHandle*>(LookupHandle(h, CloseChange)); }

// What each Win32 filter bit is made of. The directory going away (or being
// moved) always signals: nothing in it can be trusted any more.
uint32_t InotifyMask(DWORD filter) {
  uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF;
  if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))
    mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
  if (filter & FILE_NOTIFY_CHANGE_ATTRIBUTES) mask |= IN_ATTRIB;
  if (filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) mask |= IN_MODIFY | IN_CLOSE_WRITE;
  return mask;
}

// Takes every queued event; true when there was at least one.
bool DrainEvents(int fd) {
  alignas(struct inotify_event) char buffer[4096];
  bool any = false;
  while (read(fd, buffer, sizeof buffer) > 0) any = true;
  return any;
}

}  // namespace

HANDLE FindFirstChangeNotificationA(LPCSTR lpPathName, BOOL bWatchSubtree, DWORD dwNotifyFilter) {
  LocatedPath located;
  DWORD err = LocatePath(lpPathName, located);
  if (!err && located.missing) err = located.missing;
  if (!err && bWatchSubtree) err = ERROR_NOT_SUPPORTED;  // one directory only
  if (err) {
    SetLastError(err);
    return INVALID_HANDLE_VALUE;
  }
  int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0 || inotify_add_watch(fd, located.posix.c_str(), InotifyMask(dwNotifyFilter) | IN_ONLYDIR) < 0) {
    SetLastErrorFromErrno(errno);
    if (fd >= 0) close(fd);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new ChangeHandle{{CloseChange}, fd, false});
}

BOOL FindNextChangeNotification(HANDLE hChangeHandle) {
  ChangeHandle* change = FindChange(hChangeHandle);
  if (!change) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DrainEvents(change->fd);
  change->signalled = false;
  return TRUE;
}

BOOL FindCloseChangeNotification(HANDLE hChangeHandle) { return CloseLayerHandle(hChangeHandle, CloseChange); }

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  ChangeHandle* change = FindChange(hHandle);
  if (!change) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  if (!change->signalled && dwMilliseconds != 0) {
    struct pollfd p = {change->fd, POLLIN, 0};
    poll(&p, 1, dwMilliseconds == INFINITE ? -1 : (int)dwMilliseconds);
  }
  if (!change->signalled) change->signalled = DrainEvents(change->fd);
  return change->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
