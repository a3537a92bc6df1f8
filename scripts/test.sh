#!/usr/bin/env bash
# Builds everything and runs every test; then every test once more under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, the windows'
# tests too; last, each fuzz target for 30 s (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
if [ "${TABULON_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABULON_SANITIZE=ON -DTABULON_CORE_ONLY=OFF \
    -DTABULON_BENCH=OFF
  cmake --build build-asan -j"$jobs"
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
fi
if [ "${TABULON_SKIP_FUZZ:-0}" != "1" ]; then
  bash scripts/fuzz.sh "${TABULON_FUZZ_SECONDS:-30}"
fi
