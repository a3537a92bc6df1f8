#!/usr/bin/env bash
# Keeps what a long fuzz campaign grew: merges the corpus of build-fuzz/corpus
# with the archive already kept, down to the fewest inputs that reach the same
# coverage, and writes it to tests/fuzz/grown/<target>.tar.xz for every later
# run (and CI's short ones) to start from. The seeds and regression inputs of
# tests/fuzz/corpus are counted as already there and not stored twice.
# Usage: scripts/fuzz-pack.sh [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh
mapfile -t targets < <(fuzz_targets "$@")
mkdir -p tests/fuzz/grown
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for t in "${targets[@]}"; do
  bound=$(max_len_of "$t")
  grown=$(unpack_grown "$t")
  # Inputs past the target's bound are cut to it in every run: keep only the
  # ones a run reads whole.
  mkdir -p "$work/$t/candidates" "$work/$t/merged"
  find "$grown" "build-fuzz/corpus/$t" -maxdepth 1 -type f -size -"$((bound + 1))"c \
    -exec cp -t "$work/$t/candidates" {} + 2>/dev/null || true
  cp tests/fuzz/corpus/"$t"/* "$work/$t/merged/"
  "build-fuzz/tests/fuzz/$t" -merge=1 -timeout=10 -rss_limit_mb=2048 -max_len="$bound" \
    "$work/$t/merged" "$work/$t/candidates" 2>"$work/$t.log" ||
    { tail -n 20 "$work/$t.log"; exit 1; }
  for seed in tests/fuzz/corpus/"$t"/*; do rm -f "$work/$t/merged/$(basename "$seed")"; done
  # Packed without dates or owners: an unchanged set of inputs packs to the
  # same bytes.
  tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner -C "$work/$t/merged" -cf - . |
    xz -9e >"tests/fuzz/grown/$t.tar.xz"
  echo "$t: $(find "$work/$t/merged" -type f | wc -l) inputs kept," \
    "$(stat -c %s "tests/fuzz/grown/$t.tar.xz") bytes packed"
done
