// The held parent directories of located paths. A walk writes its target's
// entries by full paths; the layer resolves each entry's directory from the
// last one it held there instead of from the root. A held directory is
// trusted only while its path still leads to it (one statx of the path per
// lookup, the one a lookup of a missing name needs anyway, made from the held
// drive's root): a directory replaced by another program is let go of and
// opened again, and one replaced by a link is not followed. The descriptor's
// own state (fstat) cannot stand in for it: it shows the directory opened,
// wherever that now is.
#include "platform/posix/held_parents.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "platform/posix/layer_state.h"
#include "platform/posix/syscalls.h"

namespace {

constexpr size_t kReplacedKept = 8;
// At most this many directories are held (each a descriptor, besides those of
// the current directory's walk): an entry deeper below its drive's root is
// named by its path, as before.
constexpr size_t kMostHeld = 128;

std::vector<HeldParent>& Chain = Layer.heldParents;

// dir is ancestor, or ancestor/...
bool IsAtOrBelow(std::string_view dir, std::string_view ancestor) {
  if (!dir.starts_with(ancestor)) return false;
  return dir.size() == ancestor.size() || ancestor == "/" || dir[ancestor.size()] == '/';
}

bool SameIdentity(const struct statx& stx, const HeldParent& held) {
  return stx.stx_ino == held.ino && stx.stx_dev_major == held.devMajor && stx.stx_dev_minor == held.devMinor;
}

void NoteReplaced(const std::string& posix) {
  std::vector<std::string>& replaced = Layer.replacedDirs;
  if (std::find(replaced.begin(), replaced.end(), posix) != replaced.end()) return;
  if (replaced.size() == kReplacedKept) replaced.erase(replaced.begin());
  replaced.push_back(posix);
}

bool WasReplaced(const std::string& posix) {
  const std::vector<std::string>& replaced = Layer.replacedDirs;
  return std::find(replaced.begin(), replaced.end(), posix) != replaced.end();
}

// Whether the path of the held directory `held` still leads to it; stx is
// what it leads to. Below the first held directory, a drive's root trusted as
// it was opened, the path is followed from that one's descriptor: the walk
// down to the drive's root is spared.
bool PathLeadsTo(const HeldParent& held, struct statx& stx) {
  const HeldParent& first = Chain.front();
  int dirFd = AT_FDCWD;
  const char* path = held.posix.c_str();
  if (&held != &first) {
    dirFd = first.dir->fd;
    path += first.posix.size() + (first.posix == "/" ? 0 : 1);
  }
  int flags = held.followed ? 0 : AT_SYMLINK_NOFOLLOW;
  return Sys.stat(dirFd, path, flags, kEntryStatxMask, &stx) == 0 && SameIdentity(stx, held);
}

// Keeps the deepest held directory at or above posixDir whose path still
// leads to it; stx is its state. False when none is left.
bool KeepValidAncestor(const std::string& posixDir, struct statx& stx) {
  while (!Chain.empty()) {
    size_t keep = Chain.size();
    while (keep > 0 && !IsAtOrBelow(posixDir, Chain[keep - 1].posix)) keep--;
    Chain.resize(keep);
    if (keep == 0) return false;
    const HeldParent& last = Chain.back();
    if (PathLeadsTo(last, stx)) return true;
    if (!last.followed) NoteReplaced(last.posix);
    Chain.pop_back();
  }
  return false;
}

bool Push(std::shared_ptr<HeldDirectory> dir, const std::string& posix, bool followed, struct statx& stx) {
  if (Sys.stat(dir->fd, "", AT_EMPTY_PATH, kEntryStatxMask, &stx) != 0) return false;
  Chain.push_back(HeldParent{std::move(dir), posix, stx.stx_ino, stx.stx_dev_major, stx.stx_dev_minor, followed});
  return true;
}

// Opens name in the last held directory: without following a link, unless
// one met there for the first time.
bool OpenBelow(const std::string& name, struct statx& stx, bool& refused) {
  if (Chain.size() >= kMostHeld) {
    errno = EMFILE;
    return false;
  }
  const HeldParent& last = Chain.back();
  std::string posix = JoinPosixPath(last.posix, name);
  std::shared_ptr<HeldDirectory> dir = OpenHeldDirectory(last.dir->fd, name.c_str(), O_NOFOLLOW, true);
  bool followed = false;
  if (!dir && (errno == ELOOP || errno == ENOTDIR)) {
    if (WasReplaced(posix)) {
      refused = true;
      return false;
    }
    dir = OpenHeldDirectory(last.dir->fd, name.c_str(), 0, true);
    followed = true;
  }
  return dir && Push(std::move(dir), posix, followed, stx);
}

}  // namespace

std::shared_ptr<HeldDirectory> HoldParentDirectory(const std::string& root, const std::string& posixDir,
                                                   struct statx& stx, bool& refused) {
  refused = false;
  if (!IsAtOrBelow(posixDir, root)) {
    errno = EINVAL;
    return nullptr;
  }
  if (!KeepValidAncestor(posixDir, stx) || !IsAtOrBelow(Chain.back().posix, root)) {
    Chain.clear();
    std::shared_ptr<HeldDirectory> dir = OpenHeldDirectory(AT_FDCWD, root.c_str(), 0, true);
    if (!dir || !Push(std::move(dir), root, true, stx)) return nullptr;
  }
  size_t at = Chain.back().posix.size();
  while (at < posixDir.size()) {
    if (posixDir[at] == '/') at++;
    size_t end = posixDir.find('/', at);
    if (end == std::string::npos) end = posixDir.size();
    if (!OpenBelow(posixDir.substr(at, end - at), stx, refused)) return nullptr;
    at = end;
  }
  return Chain.back().dir;
}

void ForgetHeldDirectory(const std::string& posixDir) {
  auto below = std::find_if(Chain.begin(), Chain.end(),
                            [&](const HeldParent& held) { return IsAtOrBelow(held.posix, posixDir); });
  Chain.erase(below, Chain.end());
}
