#!/usr/bin/env bash
# Builds the benchmark programs, runs every one and prints one markdown table (measurement, tool,
# baseline, ratio, goal) with the machine it ran on.
#   bash scripts/bench.sh                    every benchmark but the soak run
#   bash scripts/bench.sh --soak             also the 10,000-cycle soak run (35 to 50 s more)
#   bash scripts/bench.sh --repetitions 9    more repetitions (default 5)
#   TMPDIR=/dev/shm bash scripts/bench.sh    the scratch files on another file system
#
# The benchmarks use the ci preset's build (RelWithDebInfo: optimized like a release, -O2, with
# debug information for perf and gdb). It is the build CI tests, so the numbers belong to the
# code that is tested, and no second build folder has to be compiled on a small machine.
#
# Each program runs with repetitions interleaved at random and reports their medians, so a
# burst of load on a shared machine moves a tool's time and its baseline's alike. Every scratch
# file (working files, the simulated controller's state, the baselines' files) goes to one
# fresh folder under $TMPDIR (else /tmp), removed at the end: the disk there decides what a
# synced write costs. The JSON, each program's console output and the table stay in
# build/ci/bench-results/.
set -euo pipefail

usage() {
  sed -n '2,7p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
}

soak=0
repetitions=5
while (($#)); do
  case "$1" in
    --soak) soak=1 ;;
    --repetitions) repetitions="${2:?--repetitions needs a number}"; shift ;;
    -h | --help) usage; exit 0 ;;
    *) echo "unknown argument: $1" >&2; usage >&2; exit 2 ;;
  esac
  shift
done

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/ci"
results="$build/bench-results"
bash "$root/scripts/setup.sh" ci morlind_benchmarks >&2

rm -rf "$results"
mkdir -p "$results"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/morlind-bench.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

for program in "$build"/bench/bench_*; do
  name="$(basename "$program")"
  [ -f "$program" ] && [ -x "$program" ] || continue
  options=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
           --benchmark_enable_random_interleaving=true)
  if [ "$name" = bench_soak ]; then
    ((soak)) || continue
    options=()  # one long run that checks its own limits
  fi
  echo "== $name" >&2
  if ! TMPDIR="$scratch" "$program" "${options[@]}" --benchmark_out="$results/$name.json" \
      --benchmark_out_format=json >"$results/$name.log" 2>&1; then
    cat "$results/$name.log" >&2
    echo "$name failed" >&2
    exit 1
  fi
done

python3 "$root/scripts/bench_table.py" --build "$build" --scratch "$scratch" \
  "$results"/*.json | tee "$results/table.md"
