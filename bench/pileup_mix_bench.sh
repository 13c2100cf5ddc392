#!/usr/bin/env bash
# Processor cost of mixing a pile-up (ten callers and every band condition)
# per second of audio: median and range of several runs, in processor time so
# that other programs on a shared machine count little. Goal: under 2 % of
# one core.
#   bench/pileup_mix_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-5}
if [[ ! -f "$build/build.ninja" && ! -f "$build/Makefile" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j1 --target pileup_mix_bench >/dev/null
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$build/tests/contest/pileup_mix_bench" "$runs"
