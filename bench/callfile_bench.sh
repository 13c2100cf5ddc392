#!/usr/bin/env bash
# Load time of a 300 000-line check-partial list and of the largest plain-text
# file accepted (8 MB): median and range of several runs.
#   bench/callfile_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-11}
if [[ ! -f "$build/build.ninja" && ! -f "$build/Makefile" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j1 --target callfile_bench >/dev/null
"$build/tests/callfile_bench" "$runs"
