#!/usr/bin/env bash
# Builds everything and runs every test (the file tests on a local disk and on
# a Samba share set up here); the save campaigns on the share; then every test once more under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, the windows'
# tests too; last, each fuzz target for 30 s (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
# The school's file server (Samba on 127.0.0.1, mounted twice as two
# workstations): the file tests run on it as well as on the local disk.
if [ "${TABULON_SKIP_SHARE:-0}" != "1" ]; then
  mapfile -t share < <(bash scripts/school-share.sh start)
  if [ "${#share[@]}" -ne 2 ]; then
    echo "test.sh: the school share could not be set up (TABULON_SKIP_SHARE=1 leaves it out)" >&2
    exit 1
  fi
  export TABULON_SHARE_A="${share[0]}" TABULON_SHARE_B="${share[1]}"
  trap 'bash scripts/school-share.sh stop' EXIT
fi
ctest --test-dir build --output-on-failure -j"$jobs"
if [ -n "${TABULON_SHARE_A:-}" ]; then
  # The save campaigns on the share, short: kills during saves, two
  # workstations with the teacher merging, teacher renames during saves.
  ./build/save_campaign "${TABULON_CAMPAIGN_ROUNDS:-30}" "${TABULON_CAMPAIGN_ROUNDS:-30}" \
    "${TABULON_CAMPAIGN_ROUNDS:-30}" "$TABULON_SHARE_A" "$TABULON_SHARE_B"
fi
if [ "${TABULON_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABULON_SANITIZE=ON -DTABULON_CORE_ONLY=OFF \
    -DTABULON_BENCH=OFF
  cmake --build build-asan -j"$jobs"
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
fi
if [ "${TABULON_SKIP_FUZZ:-0}" != "1" ]; then
  bash scripts/fuzz.sh "${TABULON_FUZZ_SECONDS:-30}"
fi
