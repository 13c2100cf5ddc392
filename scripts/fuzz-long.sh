#!/usr/bin/env bash
# Runs every fuzz target for a long time (default 600 s each), keeping what the
# fuzzer learns in build-fuzz/corpus/<target> so that each long run goes on
# from where the last one stopped. The committed seed corpus is left as it is.
#
# usage: scripts/fuzz-long.sh [seconds per target]
set -euo pipefail
FUZZ_KEEP_CORPUS=1 exec "$(dirname "$0")/fuzz.sh" "${1:-600}"
