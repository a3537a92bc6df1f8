#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz, then runs
# each for the given number of seconds (default 30) from its seed corpus.
# Inputs found to grow coverage go to build-fuzz/corpus/<target>; an input that
# crashes, hangs or trips a sanitizer is kept in build-fuzz/artifacts and the
# script fails. Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in tests/fuzz/corpus/*_fuzz; do targets+=("$(basename "$d")"); done
fi
mkdir -p build-fuzz/artifacts
status=0
passed=0
failed=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "== $t ($seconds s)"
  if ! nice -n 19 "build-fuzz/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
      "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" 2>"build-fuzz/$t.log"; then
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
