#!/usr/bin/env bash
# The checks CI runs beside scripts/test.sh, each in a build directory of its
# own: the whole suite (unit tests and transcripts) under the address and
# undefined-behaviour sanitizers, the fuzz targets for a bounded time each,
# the transcripts against keltro.exe under Wine, and a build with link-time
# optimization (as distributions' package flags ask for) listing a tree as
# the plain build in build/ does.
#   bash scripts/ci-extra.sh [asan] [fuzz] [wine] [lto]    (default: all four)
# FUZZ_SECONDS sets the time of each fuzz target (default 20). A Wine that
# cannot be installed or started is reported and skipped; its transcripts'
# failures are reported and do not fail the run (see docs/platform.md).
set -euo pipefail
cd "$(dirname "$0")/.."
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(asan fuzz wine lto)
fuzz_seconds=${FUZZ_SECONDS:-20}

sanitized_suite() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELTRO_SANITIZE='address;undefined' >/dev/null
  cmake --build build-asan -j2
  # entry_edges hides /proc from one run, and the sanitizers' runtime reads
  # its options and the process's threads there: it cannot run in this build.
  echo "asan: every test but e2e.entry_edges (it hides /proc, which the sanitizers need)"
  (cd build-asan && LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
    ctest -j2 --output-on-failure -E '^e2e[.]entry_edges$')
}

fuzz_targets() {
  bash scripts/install-deps.sh fuzz
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DKELTRO_FUZZ=ON -DKELTRO_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j2
  local failed=0 passed=0 target work
  for fuzzer in build-fuzz/tests/fuzz/fuzz_*; do
    target=${fuzzer##*/fuzz_}
    work=$(mktemp -d)  # new inputs go here; the kept corpus is only read
    if "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=2100 -close_fd_mask=2 \
        -artifact_prefix=build-fuzz/ "$work" "tests/fuzz/corpus/$target" > "build-fuzz/$target.log" 2>&1; then
      passed=$((passed + 1))
      echo "fuzz $target: $(grep -o 'Done [0-9]* runs' "build-fuzz/$target.log") in ${fuzz_seconds} s, no failure"
    else
      failed=$((failed + 1))
      echo "fuzz $target: FAILED"; tail -30 "build-fuzz/$target.log"
    fi
    rm -rf "$work"
  done
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

wine_transcripts() {
  local start=$SECONDS
  mkdir -p build-windows
  if ! bash scripts/install-deps.sh wine > build-windows/wine-install.log 2>&1; then
    echo "wine: NOT RUN, Wine could not be installed:"; tail -5 build-windows/wine-install.log
    return 0
  fi
  echo "wine: installed or present in $((SECONDS - start)) s"
  [ -f build-windows/keltro.exe ] || bash scripts/build-windows.sh
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINEPREFIX=$(mktemp -d /tmp/keltro-wine.XXXXXX)
  if ! timeout 300 wineboot -i >/dev/null 2>&1 || ! timeout 300 wineserver -w; then
    echo "wine: NOT RUN, the Wine prefix could not be made"
    return 0
  fi
  local failed=0 t
  for t in tests/e2e/*.t; do
    timeout 600 python3 tests/e2e/run_transcript.py --wine --keltro build-windows/keltro.exe "$t" || failed=$((failed + 1))
  done
  wineserver -k || true
  rm -rf "$WINEPREFIX"
  if [ "$failed" -gt 0 ]; then
    echo "wine: $failed transcripts differ under Wine (reported, not failing the run)"
  fi
}

optimized_build() {
  cmake -S . -B build-lto -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
    -DKELTRO_TESTS=OFF >/dev/null
  cmake --build build-lto -j2 --target keltro
  local tree status=0
  tree=$(mktemp -d)
  mkdir -p "$tree/a/b"
  echo one > "$tree/a/b/f.txt"
  echo three > "$tree/a/g.log"
  local args=(sho 'B:\*' /S '~F~f ~s' '~T~T ~s')
  if diff <(KELTRO_DRIVES="B=$tree" build/keltro "${args[@]}") <(KELTRO_DRIVES="B=$tree" build-lto/keltro "${args[@]}"); then
    echo "lto: the link-time optimized build lists the tree as the plain build does"
  else
    echo "lto: FAILED, the link-time optimized build lists the tree differently"
    status=1
  fi
  rm -rf "$tree"
  return "$status"
}

for step in "${steps[@]}"; do
  start=$SECONDS
  case "$step" in
    asan) sanitized_suite ;;
    fuzz) fuzz_targets ;;
    wine) wine_transcripts ;;
    lto) optimized_build ;;
    *) echo "ci-extra: unknown step '$step'" >&2; exit 2 ;;
  esac
  echo "ci-extra: $step took $((SECONDS - start)) s"
done
