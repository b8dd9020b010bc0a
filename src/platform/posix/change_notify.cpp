// Change notifications: FindFirstChangeNotificationA, FindNextChangeNotification,
// FindCloseChangeNotification and WaitForSingleObject on their handles, served
// by inotify. A handle is signalled from the first change after it was made
// (or re-armed) until FindNextChangeNotification re-arms it; a wait never
// blocks longer than asked and reads only what the kernel has queued. The
// kernel also raises SIGIO when it queues an event, so a wait that may not
// block (the format lookup asks on every line) answers from a counter without
// a system call while nothing was queued.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/path_lookup.h"

namespace {

struct ChangeHandle : LayerHandle {
  int fd;
  bool signalled;
  bool raisesSignal;     // SIGIO is raised for its events
  sig_atomic_t seenSignals;  // QueuedSignals when its queue was last read
};

volatile sig_atomic_t QueuedSignals = 0;  // SIGIOs taken: the kernel queued an event on some watch

void NoteQueuedEvent(int) { QueuedSignals = QueuedSignals + 1; }

// Asks the kernel to raise SIGIO whenever it queues an event on fd.
bool RaiseSignalOnEvents(int fd) {
  if (!Layer.changeSignalInstalled) {
    struct sigaction action = {};
    action.sa_handler = NoteQueuedEvent;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGIO, &action, nullptr) != 0) return false;
    Layer.changeSignalInstalled = true;
  }
  int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETOWN, getpid()) == 0 && fcntl(fd, F_SETFL, flags | O_ASYNC) == 0;
}

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
bool DrainEvents(ChangeHandle* change) {
  change->seenSignals = QueuedSignals;  // before the read: a later event counts again
  alignas(struct inotify_event) char buffer[4096];
  bool any = false;
  while (read(change->fd, buffer, sizeof buffer) > 0) any = true;
  return any;
}

// True when no event can have been queued since the queue was last read.
bool NothingQueued(const ChangeHandle* change) {
  return change->raisesSignal && change->seenSignals == QueuedSignals;
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
  sig_atomic_t seen = QueuedSignals;
  int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  bool raisesSignal = fd >= 0 && RaiseSignalOnEvents(fd);
  if (fd < 0 || inotify_add_watch(fd, located.posix.c_str(), InotifyMask(dwNotifyFilter) | IN_ONLYDIR) < 0) {
    SetLastErrorFromErrno(errno);
    if (fd >= 0) close(fd);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new ChangeHandle{{CloseChange}, fd, false, raisesSignal, seen});
}

BOOL FindNextChangeNotification(HANDLE hChangeHandle) {
  ChangeHandle* change = FindChange(hChangeHandle);
  if (!change) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DrainEvents(change);
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
  if (!change->signalled && (dwMilliseconds != 0 || !NothingQueued(change))) change->signalled = DrainEvents(change);
  return change->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
