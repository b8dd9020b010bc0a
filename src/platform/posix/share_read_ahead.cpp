// Share listings read ahead by child processes (share_read_ahead.h). The
// plan holds the directories the walk will list next, in its order: each
// listing of every entry of a directory puts the subdirectories the walk will
// enter (not links, not "." and "..") right after it. The readers are asked
// for the first directories of the plan not yet asked for, at most kAhead
// listings asked for or held, and answer in the order asked. The walk takes a
// directory's listing from the plan, dropping the directories before it,
// which it has passed; one the plan does not hold is listed by the walk
// itself, and the plan starts again from it.
//
// Readers are forked children that use their own context and never the run's:
// libsmbclient keeps state per process that threads would share. A child's
// standard streams are /dev/null; it is ended when the run ends (and ends by
// itself when its pipe of requests closes). A reader that fails or goes away
// leaves the walk to list alone for the rest of the run, as without the hint.
#include "platform/posix/share_read_ahead.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <list>

#include "platform/layer_hints.h"
#include "platform/posix/copy_content.h"
#include "platform/posix/name_match.h"

namespace {

constexpr size_t kReaders = 2;
constexpr size_t kAskedPerReader = 2;  // so that a reader finds its next request waiting
constexpr size_t kAhead = 8;           // listings asked for or held, at most

struct Planned {
  std::string directory;  // full path without its final separator
  int reader = -1;        // the reader asked for it, -1 while none is
  bool done = false;
  ShareListingResult result;
  std::vector<ShareEntry> entries;
};

struct Reader {
  pid_t pid = -1;
  int requests = -1;           // the write end of the pipe of URLs
  int answers = -1;            // the read end of the pipe of listings
  std::deque<Planned*> asked;  // in the order asked; null where no longer wanted
};

bool Wanted = false;  // the hint
bool Failed = false;  // no more reading ahead in this run
std::list<Planned> Plan;
std::array<Reader, kReaders> Readers;
size_t Done = 0;  // listings held in the plan

bool IsWalkedSubdirectory(const ShareEntry& entry) {
  DWORD attributes = entry.info.attributes;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         entry.name != "." && entry.name != "..";
}

void PlanSubdirectories(std::list<Planned>::iterator before, const std::string& directory,
                        const std::vector<ShareEntry>& entries) {
  for (const ShareEntry& entry : entries) {
    if (!IsWalkedSubdirectory(entry)) continue;
    Plan.insert(before, Planned{})->directory = directory + '\\' + entry.name;
  }
}

void Drop(std::list<Planned>::iterator planned) {
  if (planned->done) {
    Done--;
  } else if (planned->reader >= 0) {
    for (Planned*& asked : Readers[planned->reader].asked)
      if (asked == &*planned) asked = nullptr;
  }
  Plan.erase(planned);
}

// --- The messages between the walk and a reader: a request is a length and
// a URL; an answer a length and the listing's result and entries.

void PutBytes(std::string& out, const void* data, size_t size) { out.append((const char*)data, size); }

template <typename T>
void Put(std::string& out, const T& value) {
  PutBytes(out, &value, sizeof value);
}

template <typename T>
bool Get(const std::string& in, size_t& at, T& value) {
  if (in.size() - at < sizeof value) return false;
  memcpy(&value, in.data() + at, sizeof value);
  at += sizeof value;
  return true;
}

// Reads exactly size bytes; false at the end of the pipe or on an error.
bool ReadExactly(int fd, char* data, size_t size) {
  while (size > 0) {
    ssize_t got = read(fd, data, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= (size_t)got;
  }
  return true;
}

bool ReadMessage(int fd, std::string& message) {
  uint32_t length;
  if (!ReadExactly(fd, (char*)&length, sizeof length)) return false;
  message.resize(length);
  return ReadExactly(fd, message.data(), length);
}

std::string Message(const std::string& body) {
  std::string message;
  Put(message, (uint32_t)body.size());
  return message + body;
}

// A request goes over a socket, so that a reader that has gone away fails the
// send instead of raising SIGPIPE in the run.
bool SendRequest(int fd, const std::string& url) {
  std::string message = Message(url);
  for (size_t sent = 0; sent < message.size();) {
    ssize_t count = send(fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    sent += (size_t)count;
  }
  return true;
}

void EncodeAnswer(const ShareListingResult& result, const std::vector<ShareEntry>& entries, std::string& out) {
  out.clear();
  Put(out, (int32_t)result.err);
  Put(out, (uint8_t)result.opened);
  Put(out, (uint32_t)entries.size());
  for (const ShareEntry& entry : entries) {
    Put(out, (uint32_t)entry.name.size());
    out += entry.name;
    Put(out, entry.info);
  }
}

bool DecodeAnswer(const std::string& in, Planned& planned) {
  size_t at = 0;
  int32_t err;
  uint8_t opened;
  uint32_t count;
  if (!Get(in, at, err) || !Get(in, at, opened) || !Get(in, at, count)) return false;
  planned.result = {err, opened != 0};
  planned.entries.resize(count);
  for (ShareEntry& entry : planned.entries) {
    uint32_t length;
    if (!Get(in, at, length) || in.size() - at < length) return false;
    entry.name.assign(in, at, length);
    at += length;
    if (!Get(in, at, entry.info)) return false;
  }
  return at == in.size();
}

// --- A reader, in its child process.

[[noreturn]] void ServeListings(int requests, int answers) {
  int null = open("/dev/null", O_RDWR);
  for (int fd = 0; fd <= 2; fd++) dup2(null, fd);
  SMBCCTX* context = NewSmbContext();
  std::string url, answer;
  std::vector<ShareEntry> entries;
  while (context && ReadMessage(requests, url)) {
    entries.clear();
    ShareListingResult result = ReadShareListing(context, url, "*", entries);
    EncodeAnswer(result, entries, answer);
    std::string message = Message(answer);
    if (WriteAll(answers, message.data(), message.size()) != 0) break;
  }
  _exit(0);
}

// --- The readers, from the walk's side.

void EndReaders() {
  for (Reader& reader : Readers) {
    if (reader.pid < 0) continue;
    close(reader.requests);
    close(reader.answers);
    kill(reader.pid, SIGKILL);
    waitpid(reader.pid, nullptr, 0);
    reader = Reader{};
  }
  while (!Plan.empty()) Drop(Plan.begin());
}

void GiveUp() {
  EndReaders();
  Failed = true;
}

bool StartReader(Reader& reader) {
  int requests[2], answers[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requests) != 0) return false;
  if (pipe2(answers, O_CLOEXEC) != 0) {
    close(requests[0]);
    close(requests[1]);
    return false;
  }
  fcntl(answers[1], F_SETPIPE_SZ, 1 << 20);  // a large listing fits while the walk is busy
  pid_t pid = fork();
  if (pid == 0) {
    for (Reader& other : Readers) {
      if (other.pid < 0) continue;
      close(other.requests);
      close(other.answers);
    }
    close(requests[1]);
    close(answers[0]);
    ServeListings(requests[0], answers[1]);
  }
  close(requests[0]);
  close(answers[1]);
  if (pid < 0) {
    close(requests[1]);
    close(answers[0]);
    return false;
  }
  reader = Reader{pid, requests[1], answers[0], {}};
  return true;
}

bool StartReaders() {
  static bool endsWithRun = false;  // so that the run's processor time counts the readers' too
  if (!endsWithRun) endsWithRun = atexit(EndReaders) == 0;
  for (Reader& reader : Readers)
    if (reader.pid < 0 && !StartReader(reader)) return false;
  return true;
}

// Reads the reader's next answer into the listing it was asked for, which
// puts the subdirectories it holds into the plan right after it.
bool TakeAnswer(Reader& reader) {
  std::string message;
  if (reader.asked.empty() || !ReadMessage(reader.answers, message)) return false;
  Planned* planned = reader.asked.front();
  reader.asked.pop_front();
  if (!planned) return true;  // passed by the walk meanwhile
  if (!DecodeAnswer(message, *planned)) return false;
  planned->done = true;
  Done++;
  for (auto it = Plan.begin(); it != Plan.end(); ++it) {
    if (&*it != planned) continue;
    if (!planned->result.err) PlanSubdirectories(std::next(it), planned->directory, planned->entries);
    break;
  }
  return true;
}

// Takes every answer that has arrived, without waiting.
bool TakeArrivedAnswers() {
  for (Reader& reader : Readers) {
    while (!reader.asked.empty()) {
      struct pollfd ready = {reader.answers, POLLIN, 0};
      if (poll(&ready, 1, 0) <= 0) break;
      if (!TakeAnswer(reader)) return false;
    }
  }
  return true;
}

size_t AskedOrHeld() {
  size_t count = Done;
  for (const Reader& reader : Readers) count += reader.asked.size();
  return count;
}

Reader* LeastBusyReader() {
  Reader* least = &Readers[0];
  for (Reader& reader : Readers)
    if (reader.asked.size() < least->asked.size()) least = &reader;
  return least->asked.size() < kAskedPerReader ? least : nullptr;
}

// Asks the readers for the first directories of the plan not yet asked for.
bool AskAhead() {
  auto next = Plan.begin();
  while (AskedOrHeld() < kAhead) {
    while (next != Plan.end() && next->reader >= 0) ++next;
    Reader* reader = next == Plan.end() ? nullptr : LeastBusyReader();
    if (!reader) return true;
    std::string url;
    if (ShareUrl(next->directory, url) != ERROR_SUCCESS) {
      next = Plan.erase(next);  // a path the walk cannot name either: it lists it itself
      continue;
    }
    if (!SendRequest(reader->requests, url)) return false;
    next->reader = (int)(reader - Readers.data());
    reader->asked.push_back(&*next);
  }
  return true;
}

void KeepReadingAhead() {
  if (!Plan.empty() && !StartReaders()) return GiveUp();
  if (!TakeArrivedAnswers() || !AskAhead()) GiveUp();
}

}  // namespace

bool ReadSharesAhead(bool readAhead) {
  bool before = Wanted;
  Wanted = readAhead;
  if (!readAhead) EndReaders();
  return before;
}

bool TakeListingReadAhead(const std::string& directory, std::vector<ShareEntry>& entries,
                          ShareListingResult& result) {
  if (!Wanted || Failed || Plan.empty()) return false;
  std::string path = WithoutSeparator(directory);
  auto planned = Plan.begin();
  while (planned != Plan.end() && planned->directory != path) ++planned;
  while (Plan.begin() != planned) Drop(Plan.begin());  // passed by the walk
  if (planned == Plan.end()) return false;
  if (planned->reader < 0) {
    Drop(planned);
    return false;
  }
  Reader& reader = Readers[planned->reader];
  while (!planned->done) {
    if (!TakeAnswer(reader)) {
      GiveUp();
      return false;
    }
  }
  entries = std::move(planned->entries);
  result = planned->result;
  Drop(planned);
  KeepReadingAhead();
  return true;
}

void ReadAheadBelow(const std::string& directory, const std::vector<ShareEntry>& entries) {
  if (!Wanted || Failed) return;
  PlanSubdirectories(Plan.begin(), WithoutSeparator(directory), entries);
  KeepReadingAhead();
}
