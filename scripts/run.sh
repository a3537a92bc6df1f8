#!/usr/bin/env bash
# Builds the program and starts it in its data folder (home mode on a default
# configuration when nothing is configured yet).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_BENCH=OFF
cmake --build build -j"$(nproc)" --target tabulon
data="${TABULON_DATA:-$HOME/Tabulon}"
mkdir -p "$data"
cd "$data"
exec "$repo/build/tabulon"
