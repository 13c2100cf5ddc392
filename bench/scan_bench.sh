#!/usr/bin/env bash
# Scan time of a 40 000-anchor index page (about 2.5 MB) and of one twice that
# size; the ratio of the two times should be about 2 (linear cost).
#   bench/scan_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-31}
if [[ ! -f "$build/build.ninja" && ! -f "$build/Makefile" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j1 --target scan_bench >/dev/null
"$build/tests/scan_bench" "$runs"
