#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz, then runs
# each for the given number of seconds (default 30) from its seed corpus.
# Inputs found to grow coverage go to build-fuzz/corpus/<target>; an input that
# crashes, hangs or trips a sanitizer is kept in build-fuzz/artifacts and the
# script fails. Usage: scripts/fuzz.sh [seconds] [target...]
# With FUZZ_RUNS=N each target stops after N inputs instead (no time limit);
# FUZZ_MAX_LEN bounds the size of an input for every target (otherwise each
# target's own bound below).
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
# The targets that save a file go through the program's atomic save, which
# syncs to disk: on a memory file system that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Recording where each block was allocated is most of the cost of the targets
# that build many strings; a report still names the fault and keeps the input,
# and running the target on that input alone gives the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
if [ -n "${FUZZ_RUNS:-}" ]; then
  limit=(-runs="$FUZZ_RUNS"); extent="$FUZZ_RUNS inputs"
else
  limit=(-max_total_time="$seconds"); extent="$seconds s"
fi
# Inputs a few times larger than the largest the program meets: settings
# files, stored product lists and a test's answers are a few KB at most, and
# larger inputs only slow these targets down. Files that grow with a pupil's
# years of work get 64 KB.
max_len_of() {
  case "$1" in
    IniFile_fuzz | Catalogue_fuzz) echo 4096 ;;
    Answers_fuzz) echo 8192 ;;
    *) echo 65536 ;;
  esac
}
status=0
passed=0
failed=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "== $t ($extent)"
  if ! nice -n 19 "build-fuzz/tests/fuzz/$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -max_len="${FUZZ_MAX_LEN:-$(max_len_of "$t")}" -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
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
