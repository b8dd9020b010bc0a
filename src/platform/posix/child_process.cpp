// Programs run with posix_spawn (no fork of a process that holds Samba's
// client state); a call of a library that may hang or print runs in a forked
// child. Either is in a session of its own, so that none can open a terminal
// to ask for a password, and is killed with its group when the time is up.
#include "platform/posix/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

extern char** environ;

namespace {

long long NowMs() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

pid_t Spawn(const std::vector<std::string>& argv, int output) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output, 1);
  posix_spawn_file_actions_adddup2(&actions, output, 2);
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return pid;
}

// Reads the child's output until it closes it or the deadline passes:
// false at the deadline.
bool ReadUntilClosed(int from, long long deadline, std::string& output) {
  char buffer[4096];
  for (;;) {
    long long left = deadline - NowMs();
    if (left <= 0) return false;
    struct pollfd ready = {from, POLLIN, 0};
    int polled = poll(&ready, 1, (int)left);
    if (polled < 0 && errno != EINTR) return false;
    if (polled <= 0) continue;
    ssize_t got = read(from, buffer, sizeof buffer);
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) return true;
    if (got > 0 && output.size() < kChildOutputLimit)
      output.append(buffer, std::min((size_t)got, kChildOutputLimit - output.size()));
  }
}

// The child's end, waited for until the deadline: false when it has not ended.
bool WaitUntil(pid_t pid, long long deadline, int& exitStatus) {
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return true;
    }
    if (done < 0 && errno != EINTR) return false;
    if (NowMs() >= deadline) return false;
    struct timespec pause = {0, 1000000};
    nanosleep(&pause, nullptr);
  }
}

// Reads what the child writes on `from` (which it closes on its side) and
// waits for its end, killing it and its group at the deadline.
ChildEnd Collect(pid_t pid, int from, int timeoutMs, std::string& output, int& exitStatus) {
  long long deadline = NowMs() + timeoutMs;
  bool ended = ReadUntilClosed(from, deadline, output) && WaitUntil(pid, deadline, exitStatus);
  close(from);
  if (ended) return ChildEnd::Exited;
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return ChildEnd::TimedOut;
}

}  // namespace

ChildEnd RunChild(const std::vector<std::string>& argv, int timeoutMs, std::string& output, int& exitStatus) {
  output.clear();
  int pipeEnds[2];
  if (argv.empty() || pipe2(pipeEnds, O_CLOEXEC) != 0) return ChildEnd::NotStarted;
  pid_t pid = Spawn(argv, pipeEnds[1]);
  close(pipeEnds[1]);
  if (pid < 0) {
    close(pipeEnds[0]);
    return ChildEnd::NotStarted;
  }
  return Collect(pid, pipeEnds[0], timeoutMs, output, exitStatus);
}

ChildEnd RunInChild(void (*body)(int out, const void* argument), const void* argument, int timeoutMs,
                    std::string& output) {
  output.clear();
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return ChildEnd::NotStarted;
  fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    int none = open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; fd++) dup2(none, fd);
    close(pipeEnds[0]);
    body(pipeEnds[1], argument);
    _exit(0);
  }
  close(pipeEnds[1]);
  if (pid < 0) {
    close(pipeEnds[0]);
    return ChildEnd::NotStarted;
  }
  int exitStatus = 0;
  return Collect(pid, pipeEnds[0], timeoutMs, output, exitStatus);
}
