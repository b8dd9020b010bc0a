#!/usr/bin/env bash
# Times a recursive listing by keltro against find on the same tree, and
# shows keltro's peak memory for a small and a large tree.
#
#   bench/run.sh [KELTRO_BINARY] [WORK_DIR]
#
# KELTRO_BINARY defaults to build/keltro; WORK_DIR (default /tmp/keltro-bench)
# keeps the generated trees between runs. RUNS sets the repetitions (best of).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
keltro=$(realpath "${1:-$here/../build/keltro}")
work=${2:-/tmp/keltro-bench}
runs=${RUNS:-5}

[ -x "$keltro" ] || { echo "no keltro binary at $keltro" >&2; exit 1; }
if [ ! -x /usr/bin/time ]; then
  apt-get install -y -qq time >/dev/null 2>&1 || { apt-get update -qq && apt-get install -y -qq time >/dev/null; }
fi

mkdir -p "$work"
python3 "$here/make_tree.py" "$work/t100k" 100000 2000
python3 "$here/make_tree.py" "$work/t10k" 10000 200

# C: holds the program, as in the default map, so a format is looked for beside it.
export KELTRO_DRIVES="C=/;B=$work" TZ=UTC LC_ALL=C.UTF-8

keltro_list() { "$keltro" sho "B:\\$1\\*" /S '~F~f ~s' >"$work/keltro.out"; }
find_list() { find "$work/$1" -printf "%p %s\n" >"$work/find.out"; }

# Best wall time of $runs runs, in seconds.
best_of() {
  local best= start end t
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N); "$@"; end=$(date +%s.%N)
    t=$(awk "BEGIN { print $end - $start }")
    if [ -z "$best" ] || awk "BEGIN { exit !($t < $best) }"; then best=$t; fi
  done
  echo "$best"
}

keltro_list t100k; find_list t100k  # warm the caches
lines_k=$(wc -l <"$work/keltro.out"); lines_f=$(wc -l <"$work/find.out")
tk=$(best_of keltro_list t100k)
tf=$(best_of find_list t100k)
printf 'tree: 100000 files in 2000 directories (keltro listed %d lines, find %d)\n' "$lines_k" "$lines_f"
printf 'keltro: %.3f s   find: %.3f s   ratio: %.2f\n' "$tk" "$tf" "$(awk "BEGIN { print $tk / $tf }")"

peak_kb() { /usr/bin/time -v "$keltro" sho "B:\\$1\\*" /S '~F~f ~s' 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ {print $2}'; }
printf 'peak RSS: 10k files %s kB, 100k files %s kB\n' "$(peak_kb t10k)" "$(peak_kb t100k)"
