# Timing helpers of the benchmarks, sourced by run.sh and changing.sh; both
# set $runs (the repetitions).

# One timed run of "$@" after the untimed $setup (with the last argument):
# "wall user system" in seconds.
time_once() {
  local TIMEFORMAT='%3R %3U %3S'
  [ -z "${setup:-}" ] || "$setup" "${@: -1}"
  { time "$@" 2>/dev/null; } 2>&1
}

# keltro's and the peer's runs taken in turn, keltro peer keltro peer ..., after
# one untimed warm-up of each; $runs pairs. Prints "wall cpu" medians of each,
# and the medians of the ratios pair by pair (wall and processor time): a pair
# is timed within a second or two, so a machine whose speed drifts (other
# work, the clock) moves both of its runs alike. On a shared machine the
# pairwise ratios are the steadier figures.
paired_medians() {  # keltro-function peer-function tree
  local samples=() k p
  time_once "$1" "$3" >/dev/null
  time_once "$2" "$3" >/dev/null
  for _ in $(seq "$runs"); do
    k=$(time_once "$1" "$3")
    p=$(time_once "$2" "$3")
    samples+=("$k $p")
  done
  printf '%s\n' "${samples[@]}" | awk '
    function median(a, n,   i, j, t) {
      for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
      return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    { kw[NR] = $1; kc[NR] = $2 + $3; pw[NR] = $4; pc[NR] = $5 + $6
      rw[NR] = $1 / ($4 > 0 ? $4 : 0.001); rc[NR] = ($2 + $3) / ($5 + $6 > 0 ? $5 + $6 : 0.001) }
    END { print median(kw, NR), median(kc, NR), median(pw, NR), median(pc, NR), median(rw, NR), median(rc, NR) }'
}

# $who names the first program in the line (keltro unless set).
compare() {  # label keltro-function peer-function peer-label tree
  local m
  m=($(paired_medians "$2" "$3" "$5"))
  printf '  %-16s %-6s %6.3f s (cpu %6.3f)  %-24s %6.3f s (cpu %6.3f)  ratio %5.2f (cpu %5.2f)\n' \
    "$1" "${who:-keltro}" "${m[0]}" "${m[1]}" "$4" "${m[2]}" "${m[3]}" "${m[4]}" "${m[5]}"
}
