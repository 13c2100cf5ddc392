#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, runs the core tests once
# more under AddressSanitizer + UndefinedBehaviorSanitizer, and fuzzes the code
# that takes outside input for 20 seconds a target.
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test || exit 1
jobs=$(nproc 2>/dev/null || echo 2)

passed=0
failed=0
skipped=()
tally() {  # adds the counts of a ctest log; a skipped check counts apart, by name
    local log=$1
    local total fails name
    total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$log" | tail -n1)
    fails=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n1)
    if [[ -z "$total" ]]; then failed=$((failed + 1)); return; fi
    while read -r name; do
        skipped+=("$name")
    done < <(sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*\*\*\*Skipped.*/\1/p' "$log")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}

run_suite() {  # name, build dir, cmake options...
    local name=$1 dir=$2; shift 2
    echo "== $name =="
    if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"; failed=$((failed + 1)); return
    fi
    if ! cmake --build "$dir" -j "$jobs"; then
        failed=$((failed + 1)); return
    fi
    (cd "$dir" && ctest --output-on-failure --timeout 600) 2>&1 | tee "$dir.ctest.log"
    tally "$dir.ctest.log"
}

mkdir -p build
run_suite "build and test" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite "core under AddressSanitizer + UndefinedBehaviorSanitizer" build-asan \
    -DCMAKE_BUILD_TYPE=Debug -DKEYLARK_CORE_ONLY=ON -DKEYLARK_SANITIZE=address,undefined

echo "== fuzzing the input code for a bounded time (scripts/fuzz-long.sh runs longer) =="
FUZZ_JOBS=$jobs scripts/fuzz.sh 20 2>&1 | tee build-fuzz.log
fuzz_ok=$(grep -c '^fuzz .*, 0 crashes' build-fuzz.log)
fuzz_all=$(grep -c '^fuzz ' build-fuzz.log)
if [[ $fuzz_all -eq 0 ]]; then
    failed=$((failed + 1))
else
    passed=$((passed + fuzz_ok))
    failed=$((failed + fuzz_all - fuzz_ok))
fi

echo
if [[ ${#skipped[@]} -gt 0 ]]; then
    passed=$((passed - ${#skipped[@]}))
    echo "keylark: $passed passed, $failed failed, ${#skipped[@]} skipped (${skipped[*]})"
else
    echo "keylark: $passed passed, $failed failed"
fi
[[ $failed -eq 0 ]]
