#include "platform/posix/unix_accounts.h"

#include <grp.h>
#include <pwd.h>

#include <cerrno>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/unix_sid.h"

namespace {

constexpr size_t kNssBufferLimit = 1 << 20;

// What one NSS lookup found: 0 with or without an account, or an errno.
struct NssAnswer {
  int err = 0;
  bool exists = false;
  DWORD id = 0;
  std::string name;
};

NssAnswer AnswerOf(const passwd& user) { return {0, true, (DWORD)user.pw_uid, user.pw_name}; }
NssAnswer AnswerOf(const group& grp) { return {0, true, (DWORD)grp.gr_gid, grp.gr_name}; }

// Runs one reentrant lookup (getpwuid_r and its kin), its buffer grown while
// it is too small. The errors the manual lists for "no such account" count
// as an answer without one.
template <typename Record, typename Lookup>
NssAnswer AskNss(Lookup lookup) {
  std::vector<char> buffer(1024);
  Record record;
  Record* found = nullptr;
  int err;
  while ((err = lookup(&record, buffer.data(), buffer.size(), &found)) == ERANGE &&
         buffer.size() < kNssBufferLimit)
    buffer.resize(buffer.size() * 2);
  if (err == 0 && found) return AnswerOf(record);
  if (err == 0 || err == ENOENT || err == ESRCH || err == EBADF || err == EPERM) return {};
  NssAnswer failed;
  failed.err = err;
  return failed;
}

NssAnswer AskNssById(DWORD kind, DWORD id) {
  if (kind == kUnixUserSid)
    return AskNss<passwd>([id](passwd* r, char* b, size_t n, passwd** f) { return getpwuid_r(id, r, b, n, f); });
  return AskNss<group>([id](group* r, char* b, size_t n, group** f) { return getgrgid_r(id, r, b, n, f); });
}

NssAnswer AskNssByName(DWORD kind, const char* name) {
  if (kind == kUnixUserSid)
    return AskNss<passwd>([name](passwd* r, char* b, size_t n, passwd** f) { return getpwnam_r(name, r, b, n, f); });
  return AskNss<group>([name](group* r, char* b, size_t n, group** f) { return getgrnam_r(name, r, b, n, f); });
}

template <typename Matches>
const CachedAccount* FindInRing(const AccountRing& ring, Matches matches) {
  for (const CachedAccount& entry : ring.entries)
    if (matches(entry)) return &entry;
  return nullptr;
}

// Keeps entry in the ring and returns where it is kept.
const CachedAccount& Remember(AccountRing& ring, CachedAccount entry) {
  if (ring.entries.size() < kAccountCacheSize) return ring.entries.emplace_back(std::move(entry));
  CachedAccount& slot = ring.entries[ring.oldest];
  ring.oldest = (ring.oldest + 1) % kAccountCacheSize;
  return slot = std::move(entry);
}

// The cached answer for the id, or NSS's, kept; null after an error of the
// lookup, which is in err and not kept.
const CachedAccount* AnswerById(DWORD kind, DWORD id, DWORD& err) {
  AccountRing& ring = Layer.accounts.byId;
  if (const CachedAccount* cached =
          FindInRing(ring, [&](const CachedAccount& e) { return e.kind == kind && e.id == id; }))
    return cached;
  NssAnswer answer = AskNssById(kind, id);
  if (answer.err) {
    err = Win32ErrorFromErrno(answer.err);
    return nullptr;
  }
  return &Remember(ring, {kind, answer.exists, id, answer.name});
}

// The same by name.
const CachedAccount* AnswerByName(DWORD kind, const std::string& name, DWORD& err) {
  AccountRing& ring = Layer.accounts.byName;
  if (const CachedAccount* cached =
          FindInRing(ring, [&](const CachedAccount& e) { return e.kind == kind && e.name == name; }))
    return cached;
  NssAnswer answer = AskNssByName(kind, name.c_str());
  if (answer.err) {
    err = Win32ErrorFromErrno(answer.err);
    return nullptr;
  }
  return &Remember(ring, {kind, answer.exists, answer.id, name});
}

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return text;
}

}  // namespace

DWORD FindUnixAccountName(DWORD kind, DWORD id, std::string& name) {
  DWORD err = ERROR_SUCCESS;
  const CachedAccount* answer = AnswerById(kind, id, err);
  if (!answer) return err;
  if (!answer->exists) return ERROR_NONE_MAPPED;
  name = answer->name;
  return ERROR_SUCCESS;
}

DWORD FindUnixAccountId(DWORD kind, const std::string& name, DWORD& id) {
  DWORD err = ERROR_SUCCESS;
  const CachedAccount* answer = AnswerByName(kind, name, err);
  std::string lower = LowerAscii(name);
  if (answer && !answer->exists && lower != name) answer = AnswerByName(kind, lower, err);
  if (!answer) return err;
  if (!answer->exists) return ERROR_NONE_MAPPED;
  id = answer->id;
  return ERROR_SUCCESS;
}
