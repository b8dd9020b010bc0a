#!/usr/bin/env bash
# Times keltro against find and du on the same tree, in the same run, for
# both drive maps, and shows keltro's peak memory.
#
#   bench/run.sh [--large] [KELTRO_BINARY] [WORK_DIR]
#
# KELTRO_BINARY defaults to build/keltro; WORK_DIR (default /tmp/keltro-bench)
# keeps the generated trees between runs. --large adds a tree of 1,000,000
# files (slow to build and to time). RUNS sets the number of pairs of runs.
set -euo pipefail

large=0
if [ "${1:-}" = "--large" ]; then large=1; shift; fi
here=$(cd "$(dirname "$0")" && pwd)
keltro=$(realpath "${1:-$here/../build/keltro}")
work=${2:-/tmp/keltro-bench}
runs=${RUNS:-5}

[ -x "$keltro" ] || { echo "no keltro binary at $keltro" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench/run.sh needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

mkdir -p "$work"
python3 "$here/make_tree.py" "$work/t10k" 10000 200
python3 "$here/make_tree.py" "$work/t100k" 100000 2000
sizes="t100k"
if [ "$large" = 1 ]; then
  python3 "$here/make_tree.py" "$work/t1m" 1000000 20000
  sizes="t100k t1m"
fi
export TZ=UTC LC_ALL=C.UTF-8

# The tree's root as keltro names it under the current drive map.
root_of() { if [ "$map" = default ]; then echo "B:\\$1"; else echo "C:"; fi; }
drives_for() {
  if [ "$map" = default ]; then echo "C=/;B=$work"; else echo "C=$work/$1"; fi
}

k_plain() { KELTRO_DRIVES=$(drives_for "$1") "$keltro" sho "$(root_of "$1")\\*" /S '~F~f ~s' >"$work/out"; }
k_mtime() { KELTRO_DRIVES=$(drives_for "$1") "$keltro" sho "$(root_of "$1")\\*" /S '~F~f ~M' >"$work/out"; }
k_total() { KELTRO_DRIVES=$(drives_for "$1") "$keltro" sho "$(root_of "$1")\\*" /S '~F' '~T~T ~s' >"$work/out"; }
f_plain() { find "$work/$1" -printf "%p %s\n" >"$work/out"; }
f_mtime() { find "$work/$1" -printf "%p %TY\n" >"$work/out"; }
d_total() { du -sb "$work/$1" >"$work/out"; }

. "$here/timing.sh"

peak_kb() {
  KELTRO_DRIVES=$(drives_for "$1") /usr/bin/time -v "$keltro" sho "$(root_of "$1")\\*" /S '~F~f ~s' \
    2>&1 >/dev/null | awk -F': ' '/Maximum resident/ { print $2 }'
}

echo "$runs pairs, keltro and peer in turn; medians, and ratio = median of keltro / peer per pair (target: at most 1.00)"
for map in default tree-as-C; do
  for tree in $sizes; do
    echo "$tree, drive map: $map"
    compare "listing ~f ~s" k_plain f_plain 'find -printf "%p %s\n"' "$tree"
    compare "listing ~f ~M" k_mtime f_mtime 'find -printf "%p %TY\n"' "$tree"
    compare "totals only ~T" k_total d_total 'du -sb' "$tree"
  done
  printf '  peak RSS: 10k files %s kB' "$(peak_kb t10k)"
  for tree in $sizes; do printf ', %s %s kB' "$tree" "$(peak_kb "$tree")"; done
  echo
done
