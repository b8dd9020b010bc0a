#!/usr/bin/env bash
# Times keltro's changing commands against the usual tools, in the same run,
# on a tree of 100,000 files with written content:
#
#   keltro cop TREE\* TARGET /S /y      into an empty target   against  cp -a
#   keltro mir TREE\* TARGET /S /d /y   on an up-to-date target against  rsync -a --delete
#   keltro del TREE\ /y                 on a fresh copy         against  rm -rf
#   stat_unlink.c (one statx and one unlinkat per file)        against  rm -rf
#
#   bench/changing.sh [KELTRO_BINARY] [WORK_DIR]
#
# KELTRO_BINARY defaults to build/keltro; WORK_DIR keeps the source tree
# between runs: by default /dev/shm/keltro-bench, a memory file system, since
# ext4 creates files slowly for minutes after many were deleted (it passes over
# recently freed inodes), which would time the disk's history, not the tools.
# RUNS sets the number of pairs of runs. Needs rsync and gcc (install-deps.sh
# bench).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
keltro=$(realpath "${1:-$here/../build/keltro}")
work=${2:-/dev/shm/keltro-bench}
runs=${RUNS:-5}

[ -x "$keltro" ] || { echo "no keltro binary at $keltro" >&2; exit 1; }
command -v rsync >/dev/null || { echo "bench/changing.sh needs rsync (bash scripts/install-deps.sh bench)" >&2; exit 1; }

# Written files of up to 8 KiB (about 400 MB in all): the sparse listing tree
# would make a copier that fills holes write 50 GB.
mkdir -p "$work"
python3 "$here/make_tree.py" --filled 8192 "$work/c100k" 100000 2000
export TZ=UTC LC_ALL=C.UTF-8 KELTRO_DRIVES="C=/;B=$work"
src=$work/c100k
out=$work/changing
mkdir -p "$out"
"${CC:-gcc}" -O2 -o "$out/stat_unlink" "$here/stat_unlink.c"
. "$here/timing.sh"

# Setups, untimed: an empty target, a fresh tree to delete.
no_target() { rm -rf "$out/target"; }
fresh_copy() { rm -rf "$out/target"; cp -a "$src" "$out/target"; }

k_cop() { "$keltro" cop 'B:\c100k\*' 'B:\changing\target' /S /y >/dev/null 2>>"$out/errors"; }
p_cop() { cp -a "$src" "$out/target"; }
k_mir() { "$keltro" mir 'B:\c100k\*' 'B:\changing\mirror' /S /d /y >"${mir_out:-/dev/null}" 2>>"$out/errors"; }
p_mir() { rsync -a --delete "$src/" "$out/mirror/"; }
k_del() { "$keltro" del 'B:\changing\target\' /y >"${del_out:-/dev/null}" 2>>"$out/errors"; }
p_del() { rm -rf "$out/target"; }
f_del() { "$out/stat_unlink" "$out/target" 2>/dev/null; }

# What keltro's run left, so that a fast run that did nothing shows.
files_in() { { find "$1" -type f 2>/dev/null || true; } | wc -l; }
check() {  # label, what it should be, what it is
  [ "$2" = "$3" ] || echo "  CHECK FAILED: $1: expected $2, found $3"
}

: >"$out/errors"
rm -rf "$out/mirror"
cp -a "$src" "$out/mirror"
wanted=$(files_in "$src")
echo "$runs pairs, keltro and peer in turn; medians, and ratio = median of keltro / peer per pair (targets: cop 1.10, mir 1.00, del 1.10)"
echo "c100k ($wanted files, written content), drive map: C=/ B=$work"
setup=no_target compare "cop /S /y" k_cop p_cop 'cp -a' c100k
no_target; k_cop
check "files copied by keltro cop" "$wanted" "$(files_in "$out/target")"
compare "mir /S /d /y" k_mir p_mir 'rsync -a --delete' c100k
mir_out=$out/mir.out k_mir
check "files changed by keltro mir" 0 "$(grep -c 'KELTRO-INFO' "$out/mir.out" || true)"
setup=fresh_copy compare "del /y" k_del p_del 'rm -rf' c100k
echo "  the floor of a deletion that counts bytes (stat_unlink.c: one statx and one unlinkat a file):"
who=floor setup=fresh_copy compare "del's floor" f_del p_del 'rm -rf' c100k
fresh_copy; floor_bytes=$("$out/stat_unlink" "$out/target" 2>&1 | cut -d' ' -f1)
fresh_copy; del_out=$out/del.out k_del
check "files left by keltro del" 0 "$(files_in "$out/target")"
check "bytes deleted by keltro del" "$floor_bytes" "$(awk '/bytes deleted/ { print $2 }' "$out/del.out")"
check "error lines of keltro" 0 "$(wc -l <"$out/errors")"
echo "checks of keltro's results done"
rm -rf "$out/target"
