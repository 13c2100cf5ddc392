#!/usr/bin/env bash
# Time the records window takes to open over a history of 100 000 answers
# (median and range of several runs), or, with --screenshot FILE, a picture
# of the window over a few weeks of practice.
#   bench/records_bench.sh [BUILD_DIR] [RUNS | --screenshot FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
if [[ ! -f "$build/build.ninja" && ! -f "$build/Makefile" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j1 --target records_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tests/records_bench" "${@:-7}"
