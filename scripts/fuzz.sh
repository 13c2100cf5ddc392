#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz and runs each for a bounded time,
# starting from a copy of its seed corpus so the committed corpus never grows.
# Prints one line per target, "fuzz <target>: <executions> executions,
# <crashes> crashes", and fails when any target crashed. The input of a crash
# is kept in build-fuzz/artifacts/<target>/; replay it with
#     build-fuzz/fuzz_<target> build-fuzz/artifacts/<target>/crash-...
#
# usage: scripts/fuzz.sh [seconds per target]      (default 20)
#        FUZZ_JOBS=2 scripts/fuzz.sh ...           (compile jobs, default 1)
#        FUZZ_TARGETS="char_wave" scripts/fuzz.sh  (only these targets)
#        FUZZ_KEEP_CORPUS=1 scripts/fuzz.sh ...    (grow build-fuzz/corpus/<target>
#                                                   from run to run instead)
set -euo pipefail

seconds=${1:-20}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [seconds per target]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
jobs=${FUZZ_JOBS:-1}

compiler=$(command -v clang++ || true)
[[ -n $compiler ]] || { echo "fuzz: clang++ not found (scripts/install-deps.sh test installs it)" >&2; exit 1; }

mkdir -p "$build"
if ! cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER="$compiler" >"$build/configure.log" 2>&1; then
    cat "$build/configure.log" >&2
    exit 1
fi
if ! cmake --build "$build" -j "$jobs" >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    exit 1
fi

if [[ -n ${FUZZ_TARGETS:-} ]]; then
    read -r -a targets <<<"$FUZZ_TARGETS"
else
    targets=()
    for dir in "$root"/fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Leaks count as crashes; a report must stop the run rather than scroll past.
# The default quarantine of freed memory (256 MB) takes a target to about
# 800 MB of memory on a machine shared with builds; 64 MB still holds the
# frees of thousands of inputs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "${targets[@]}"; do
    binary=$build/fuzz_$target
    [[ -x $binary ]] || { echo "fuzz $target: no such target" >&2; status=1; continue; }
    if [[ -n ${FUZZ_KEEP_CORPUS:-} ]]; then
        corpus=$build/corpus/$target
    else
        corpus=$work/$target
    fi
    artifacts=$build/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    cp -r "$root/fuzz/corpus/$target/." "$corpus/"
    before=$(find "$artifacts" -type f | wc -l)

    log=$build/$target.log
    set +e
    # A single input that takes 10 s is a hang, not a slow case.
    "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
    rc=$?
    set -e

    executions=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n1)
    if [[ -z $executions ]]; then
        # A crash ends the run before the final statistics; the last status
        # line still has the count.
        executions=$(grep -o '^#[0-9]*' "$log" | tail -n1 | tr -d '#')
    fi
    crashes=$(( $(find "$artifacts" -type f | wc -l) - before ))
    if [[ $rc -ne 0 && $crashes -eq 0 ]]; then
        crashes=1
    fi
    echo "fuzz $target: ${executions:-0} executions, $crashes crashes"
    if [[ $crashes -ne 0 ]]; then
        status=1
        tail -n 40 "$log" >&2
    fi
done
exit $status
