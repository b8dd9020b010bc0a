# Timing helpers of the benchmarks, sourced by run.sh and changing.sh; both
# set $runs (the repetitions).

# "wall cpu": the median wall time and the median processor time (user +
# system) of $runs runs of "$@", in seconds, after one warm-up run. On a
# shared machine the processor time is the steadier of the two. When $setup
# names a command, it runs untimed before every run, with the last argument.
median_of() {
  local TIMEFORMAT='%3R %3U %3S'
  local samples=()
  [ -z "${setup:-}" ] || "$setup" "${@: -1}"
  "$@"
  for _ in $(seq "$runs"); do
    [ -z "${setup:-}" ] || "$setup" "${@: -1}"
    samples+=("$( { time "$@" 2>/dev/null; } 2>&1 )")
  done
  printf '%s\n' "${samples[@]}" | awk '{ w[NR] = $1; c[NR] = $2 + $3 }
    function median(a, n,   i, j, t) {
      for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
      return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END { print median(w, NR), median(c, NR) }'
}

compare() {  # label keltro-function peer-function peer-label tree
  local k p
  k=($(median_of "$2" "$5")); p=($(median_of "$3" "$5"))
  printf '  %-16s keltro %6.3f s (cpu %6.3f)  %-24s %6.3f s (cpu %6.3f)  ratio %5.2f (cpu %5.2f)\n' \
    "$1" "${k[0]}" "${k[1]}" "$4" "${p[0]}" "${p[1]}" \
    "$(awk "BEGIN { print ${k[0]} / ${p[0]} }")" "$(awk "BEGIN { print ${k[1]} / (${p[1]} > 0 ? ${p[1]} : 0.001) }")"
}
