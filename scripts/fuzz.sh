#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz, then runs
# each for the given number of seconds (default 30) from its seeds and the
# corpus that earlier campaigns grew (tests/fuzz/corpus, tests/fuzz/grown).
# Inputs found to grow coverage go to build-fuzz/corpus/<target>; an input that
# crashes, hangs or trips a sanitizer is kept in build-fuzz/artifacts and the
# script fails. Usage: scripts/fuzz.sh [seconds] [target...]
# With FUZZ_RUNS=N each target stops after N inputs instead (no time limit);
# FUZZ_MAX_LEN bounds the size of an input for every target (otherwise each
# target's own bound, in scripts/fuzz-common.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
source scripts/fuzz-common.sh
mapfile -t targets < <(fuzz_targets "$@")
mkdir -p build-fuzz/artifacts
if [ -n "${FUZZ_RUNS:-}" ]; then
  limit=(-runs="$FUZZ_RUNS"); extent="$FUZZ_RUNS inputs"
else
  limit=(-max_total_time="$seconds"); extent="$seconds s"
fi
status=0
passed=0
failed=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  grown=$(unpack_grown "$t")
  echo "== $t ($extent)"
  if ! nice -n 19 "build-fuzz/tests/fuzz/$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -max_len="${FUZZ_MAX_LEN:-$(max_len_of "$t")}" -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
      "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" "$grown" 2>"build-fuzz/$t.log"; then
    status=1
    failed=$((failed + 1))
    tail -n 40 "build-fuzz/$t.log"
  else
    passed=$((passed + 1))
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "build-fuzz/$t.log" || true
done
echo "fuzz: $passed passed, $failed failed"
exit $status
