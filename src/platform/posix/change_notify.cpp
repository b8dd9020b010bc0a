// Change notifications: FindFirstChangeNotificationA, FindNextChangeNotification,
// FindCloseChangeNotification and WaitForSingleObject on their handles, served
// by dnotify. The kernel raises SIGIO for every change of a watched
// directory; the layer's handler counts them, and a handle is signalled from
// the first signal after it was made (or re-armed) until
// FindNextChangeNotification re-arms it. So a wait of 0 milliseconds makes no
// system call, and a longer one sleeps until a signal or its time is up.
// dnotify rather than inotify: closing an inotify instance makes the kernel
// wait for a grace period (some milliseconds at every exit of a run that
// watched), closing a dnotify watch does not.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/path_lookup.h"

namespace {

struct ChangeHandle : LayerHandle {
  int fd;        // the directory watched
  int parentFd;  // its parent, watched for the directory's own removal or renaming; -1 at a root
  bool signalled;
  sig_atomic_t seenSignals;  // QueuedSignals when the handle was made or re-armed
};

volatile sig_atomic_t QueuedSignals = 0;  // SIGIOs taken: some watched directory changed

void NoteQueuedEvent(int) { QueuedSignals = QueuedSignals + 1; }

bool InstallSignalHandler() {
  if (Layer.changeSignalInstalled) return true;
  struct sigaction action = {};
  action.sa_handler = NoteQueuedEvent;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  if (sigaction(SIGIO, &action, nullptr) != 0) return false;
  Layer.changeSignalInstalled = true;
  return true;
}

void CloseWatch(int fd) {
  if (fd >= 0) close(fd);
}

bool CloseChange(LayerHandle* handle) {
  ChangeHandle* change = static_cast<ChangeHandle*>(handle);
  bool closed = close(change->fd) == 0;
  if (!closed) SetLastErrorFromErrno(errno);
  CloseWatch(change->parentFd);
  delete change;
  return closed;
}

ChangeHandle* FindChange(HANDLE h) { return static_cast<ChangeHandle*>(LookupHandle(h, CloseChange)); }

// What each Win32 filter bit is made of.
unsigned long DnotifyMask(DWORD filter) {
  unsigned long mask = DN_MULTISHOT;
  if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)) mask |= DN_CREATE | DN_DELETE | DN_RENAME;
  if (filter & FILE_NOTIFY_CHANGE_ATTRIBUTES) mask |= DN_ATTRIB;
  if (filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) mask |= DN_MODIFY;
  return mask;
}

// The directory open at path, watched for mask: its descriptor, or -1.
int OpenWatched(const char* path, unsigned long mask) {
  int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0 && fcntl(fd, F_NOTIFY, mask) != 0) {
    int err = errno;
    close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

// The parent of the directory open as fd, watched for a name removed or
// renamed (the directory itself going away or moving signals, as do its
// siblings doing so): its descriptor, or -1 at a root.
int WatchParent(int fd) {
  int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat self, above;
  if (parent < 0 || fstat(fd, &self) != 0 || fstat(parent, &above) != 0 ||
      (self.st_dev == above.st_dev && self.st_ino == above.st_ino) ||
      fcntl(parent, F_NOTIFY, DN_DELETE | DN_RENAME | DN_MULTISHOT) != 0) {
    CloseWatch(parent);
    return -1;
  }
  return parent;
}

bool Changed(const ChangeHandle* change) { return change->seenSignals != QueuedSignals; }

// Sleeps until the handle changes or milliseconds have passed; SIGIO is
// blocked between the test and the sleep, so none can fall between.
void SleepUntilChanged(const ChangeHandle* change, DWORD milliseconds) {
  sigset_t block, old;
  sigemptyset(&block);
  sigaddset(&block, SIGIO);
  sigprocmask(SIG_BLOCK, &block, &old);
  sigset_t during = old;
  sigdelset(&during, SIGIO);
  struct timespec now, deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += milliseconds / 1000;
  deadline.tv_nsec += (long)(milliseconds % 1000) * 1000000;
  if (deadline.tv_nsec >= 1000000000) deadline.tv_sec++, deadline.tv_nsec -= 1000000000;
  while (!Changed(change)) {
    struct timespec left = {};
    if (milliseconds != INFINITE) {
      clock_gettime(CLOCK_MONOTONIC, &now);
      left.tv_sec = deadline.tv_sec - now.tv_sec;
      left.tv_nsec = deadline.tv_nsec - now.tv_nsec;
      if (left.tv_nsec < 0) left.tv_sec--, left.tv_nsec += 1000000000;
      if (left.tv_sec < 0) break;
    }
    ppoll(nullptr, 0, milliseconds == INFINITE ? nullptr : &left, &during);
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
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
  int fd = InstallSignalHandler() ? OpenWatched(located.posix.c_str(), DnotifyMask(dwNotifyFilter)) : -1;
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new ChangeHandle{{CloseChange}, fd, WatchParent(fd), false, seen});
}

BOOL FindNextChangeNotification(HANDLE hChangeHandle) {
  ChangeHandle* change = FindChange(hChangeHandle);
  if (!change) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  change->seenSignals = QueuedSignals;
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
  if (!change->signalled && !Changed(change) && dwMilliseconds != 0) SleepUntilChanged(change, dwMilliseconds);
  if (!change->signalled) change->signalled = Changed(change);
  return change->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
