# Sourced by scripts/fuzz.sh and scripts/fuzz-pack.sh: builds the libFuzzer
# targets of tests/fuzz with clang in build-fuzz and says how each is run.

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"

# The targets that save a file go through the program's atomic save, which
# syncs to disk: on a memory file system that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Recording where each block was allocated is most of the cost of the targets
# that build many strings; a report still names the fault and keeps the input,
# and running the target on that input alone gives the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}

# Every target when none is named: one per folder of seeds.
fuzz_targets() {
  if [ $# -gt 0 ]; then
    printf '%s\n' "$@"
  else
    for d in tests/fuzz/corpus/*_fuzz; do basename "$d"; done
  fi
}

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

# The corpus that long campaigns grew, minimised and kept in the repository
# (tests/fuzz/grown/<target>.tar.xz), unpacked afresh into build-fuzz/grown so
# that a short run starts with the coverage those campaigns reached. Prints the
# folder, empty when the target has no archive yet.
unpack_grown() {
  local dir="build-fuzz/grown/$1" archive="tests/fuzz/grown/$1.tar.xz"
  rm -rf "$dir"
  mkdir -p "$dir"
  if [ -f "$archive" ]; then tar -xJf "$archive" -C "$dir"; fi
  echo "$dir"
}
