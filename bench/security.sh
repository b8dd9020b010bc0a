#!/usr/bin/env bash
# Times keltro's owner and ACL listings against find and getfacl, in the same
# run, on a tree of 100,000 files with a few owners and some POSIX ACLs:
#
#   keltro sho TREE\* /S ~F"~o ~f"   against  find TREE -printf "%u %p\n"
#   keltro sho TREE\* /S ~F"~g ~f"   against  getfacl -R -p TREE
#   keltro sho TREE\* /S ~F"~f ~s"   against  find TREE -printf "%p %s\n"
#
#   bench/security.sh [KELTRO_BINARY] [WORK_DIR]
#
# KELTRO_BINARY defaults to build/keltro; WORK_DIR (default /tmp/keltro-bench)
# keeps the tree between runs. Run as root, a tenth of the files are given to
# nobody and a tenth to daemon (otherwise every file is the runner's). A fifth
# of the files get a named-user entry, a tenth a named-group entry, and one
# directory in ten a default ACL. RUNS sets the number of pairs of runs;
# BASELINE names another keltro binary (a build from before a change) to
# time the plain listing against as well.
# Needs getfacl and setfacl (Debian package acl, installed by install-deps.sh).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
keltro=$(realpath "${1:-$here/../build/keltro}")
work=${2:-/tmp/keltro-bench}
runs=${RUNS:-5}

[ -x "$keltro" ] || { echo "no keltro binary at $keltro" >&2; exit 1; }
command -v setfacl >/dev/null || { echo "bench/security.sh needs setfacl and getfacl (Debian package: acl)" >&2; exit 1; }

mkdir -p "$work"
tree=$work/s100k
python3 "$here/make_tree.py" "$tree" 100000 2000

# Owners and ACLs, once per tree (the stamp beside it says they are there).
dress_tree() {
  local stamp=$tree.security
  [ -e "$stamp" ] && [ "$stamp" -nt "$tree.shape" ] && return
  if [ "$(id -u)" = 0 ]; then
    find "$tree" -type f -name 'file*3.*' -print0 | xargs -0 chown nobody:nogroup
    find "$tree" -type f -name 'file*7.*' -print0 | xargs -0 chown daemon:daemon
  fi
  find "$tree" -type f -name 'file*[05].*' -print0 | xargs -0 setfacl -m u:daemon:rw-
  find "$tree" -type f -name 'file*1.*' -print0 | xargs -0 setfacl -m g:daemon:r-x
  find "$tree" -type d -name 'sub*0' -print0 | xargs -0 setfacl -d -m g:daemon:r-x
  touch "$stamp"
}
dress_tree

export TZ=UTC LC_ALL=C.UTF-8 KELTRO_DRIVES="C=/;B=$work"
out=$work/security
mkdir -p "$out"
. "$here/timing.sh"

k_owner() { "$keltro" sho 'B:\s100k\*' /S '~F~o ~f' >"$out/k_owner" 2>>"$out/errors"; }
f_owner() { find "$tree" -printf "%u %p\n" >"$out/f_owner"; }
k_acl() { "$keltro" sho 'B:\s100k\*' /S '~F~g ~f' >"$out/k_acl" 2>>"$out/errors"; }
g_acl() { getfacl -R -p "$tree" >"$out/g_acl" 2>/dev/null; }
k_plain() { "$keltro" sho 'B:\s100k\*' /S '~F~f ~s' >"$out/k_plain" 2>>"$out/errors"; }
f_plain() { find "$tree" -printf "%p %s\n" >"$out/f_plain"; }
b_plain() { "$BASELINE" sho 'B:\s100k\*' /S '~F~f ~s' >"$out/b_plain" 2>/dev/null; }

check() {  # label, what it should be, what it is
  [ "$2" = "$3" ] || echo "  CHECK FAILED: $1: expected $2, found $3"
}
# Lines of a listing that name an account (a word of its own, any domain before it).
naming() { { grep -cE "(^|[\\ :])$1([ :]|$)" "$2" || true; }; }

: >"$out/errors"
echo "$runs pairs, keltro and peer in turn; medians, and ratio = median of keltro / peer per pair (targets: ~o 1.25, ~g 1.00, plain as run.sh, 1.00 against BASELINE)"
echo "s100k ($(find "$tree" -type f | wc -l) files, owners and POSIX ACLs), drive map: C=/ B=$work"
compare "owners ~o ~f" k_owner f_owner 'find -printf "%u %p\n"' s100k
compare "ACLs ~g ~f" k_acl g_acl 'getfacl -R -p' s100k
compare "plain ~f ~s" k_plain f_plain 'find -printf "%p %s\n"' s100k
[ -z "${BASELINE:-}" ] || compare "plain ~f ~s" k_plain b_plain 'the BASELINE keltro' s100k

# What keltro listed, against its peers' listings of the same tree.
tail -n +2 "$out/f_owner" >"$out/f_entries"  # find lists the tree's root too, keltro what lies below it
check "lines of keltro ~o" "$(wc -l <"$out/f_entries")" "$(wc -l <"$out/k_owner")"
for account in nobody daemon root; do
  check "entries owned by $account" "$(naming "$account" "$out/f_entries")" "$(naming "$account" "$out/k_owner")"
done
acl_files=$(grep -c '^user:daemon:' "$out/g_acl" || true)
[ "$(naming daemon "$out/k_acl")" -ge "$acl_files" ] ||
  echo "  CHECK FAILED: ACL lines of keltro naming daemon: at least $acl_files, found $(naming daemon "$out/k_acl")"
check "error lines of keltro" 0 "$(wc -l <"$out/errors")"
echo "checks of keltro's listings done"
