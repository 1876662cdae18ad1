#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UBSan) and runs each for SECONDS
# (default 30), starting from its seed corpus in fuzz/corpus/<target>/.
#   bash scripts/fuzz.sh            30 seconds per target
#   bash scripts/fuzz.sh 600        ten minutes per target
#   bash scripts/fuzz.sh 60 ini_reader_fuzz form_commit_fuzz   only these targets
# New inputs go to build/fuzz/corpus/<target>/, findings to build/fuzz/findings/<target>/; the
# committed seeds stay as they are. The script fails on the first target with a finding.
# A target works in a temporary folder of its own (its current directory), so any corpus or
# artifact path handed to a target by hand must be absolute.
set -euo pipefail
seconds="${1:-30}"
shift || true
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(ini_reader_fuzz form_commit_fuzz register_fields_fuzz firmware_image_fuzz
           path_history_fuzz)
fi

CC=clang CXX=clang++ cmake --preset dev -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORLIND_FUZZ=ON -DMORLIND_SANITIZE=ON -DBUILD_TESTING=OFF -DMORLIND_BENCHMARKS=OFF \
  -DMORLIND_ENABLED_LAYERS="config;platform;image;vivuraz;device;ui" >/dev/null
cmake --build "$build" --target morlind_fuzzers -j2

# The targets write and sync small files on every input: on a memory file system that costs
# nothing, so they run many times faster there.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "== $target: $seconds s"
  "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$root/fuzz/corpus/$target"
done
