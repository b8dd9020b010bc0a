#include "platform/posix/copy_temp.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

#include "platform/posix/syscalls.h"

namespace {

constexpr int kTerminatingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kNameTries = 100;

// What the handler reads: the name is complete before Armed is set.
char TempName[4096 + 64];
int TempDirFd = AT_FDCWD;
volatile sig_atomic_t Armed = 0;
volatile sig_atomic_t Deferring = 0;
volatile sig_atomic_t PendingSignal = 0;
unsigned TempCounter = 0;

// Async-signal-safe: the system calls themselves, not the layer's table.
extern "C" void RemoveTempAndRaise(int signalNumber) {
  if (Deferring) {
    PendingSignal = signalNumber;
    return;
  }
  int savedErrno = errno;
  if (Armed) unlinkat(TempDirFd, TempName, 0);
  Armed = 0;
  struct sigaction defaultAction = {};
  defaultAction.sa_handler = SIG_DFL;
  sigaction(signalNumber, &defaultAction, nullptr);
  raise(signalNumber);  // delivered when the handler returns
  errno = savedErrno;
}

void InstallHandlersOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action = {};
  action.sa_handler = RemoveTempAndRaise;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : kTerminatingSignals) sigaddset(&action.sa_mask, signalNumber);
  for (int signalNumber : kTerminatingSignals) {
    struct sigaction current;
    if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
        !(current.sa_flags & SA_SIGINFO))
      sigaction(signalNumber, &action, nullptr);
  }
}

// TempName = dirPath ".keltro-" pid "-" counter ".tmp"; false when it does not fit.
bool FormatTempName(const std::string& dirPath, long pid, unsigned counter) {
  char* out = TempName;
  char* const end = TempName + sizeof TempName - 1;  // room for the '\0'
  auto put = [&](std::string_view text) {
    if ((size_t)(end - out) < text.size()) return false;
    memcpy(out, text.data(), text.size());
    out += text.size();
    return true;
  };
  auto number = [&](auto value) {
    std::to_chars_result written = std::to_chars(out, end, value);
    if (written.ec != std::errc()) return false;
    out = written.ptr;
    return true;
  };
  bool fits = put(dirPath) && put(".keltro-") && number(pid) && put("-") && number(counter) && put(".tmp");
  *out = '\0';
  return fits;
}

void Disarm() {
  Armed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

}  // namespace

int MakeCopyTemp(int dirFd, const std::string& dirPath, const std::function<int(const char* name)>& make) {
  InstallHandlersOnce();
  static const long pid = (long)getpid();  // a name taken by another process is passed over (EEXIST)
  for (int tries = 0; tries < kNameTries; tries++) {
    Disarm();
    if (!FormatTempName(dirPath, pid, TempCounter++)) {
      errno = ENAMETOOLONG;
      return -1;
    }
    TempDirFd = dirFd;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    Armed = 1;
    int result = make(TempName);
    if (result >= 0) return result;
    int err = errno;
    Disarm();
    errno = err;
    if (err != EEXIST) return -1;
  }
  return -1;  // errno is EEXIST
}

const char* CopyTempName() { return TempName; }

void EndCopyTemp(bool remove) {
  if (remove && Armed) {
    int err = errno;
    Sys.unlink(TempDirFd, TempName);
    errno = err;
  }
  Disarm();
}

void BeginDeferredSignals() {
  InstallHandlersOnce();
  PendingSignal = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  Deferring = 1;
}

bool SignalPending() { return PendingSignal != 0; }

void EndDeferredSignals() {
  Deferring = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (int signalNumber = PendingSignal) {
    PendingSignal = 0;
    RemoveTempAndRaise(signalNumber);
  }
}
