#!/usr/bin/env bash
# Extra silence the sound output adds between characters, on a private
# null sink: the recorded gap minus the rendered gap, mean per character
# boundary and worst over all gaps, at 25 and 60 wpm. The server is PulseAudio,
# or PipeWire with KEYLARK_SOUND_SERVER=pipewire.
#
# usage: bench/gap_bench.sh [BUILD_DIR] [PLAYER [PLAYER_ARGS...]]
# BUILD_DIR defaults to ./build; the player to the test driver built there.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 1
shift $(( $# > 0 ? 1 : 0 ))
cw=$build/src/cli/keylark-cw
player=("$@")
[[ ${#player[@]} -gt 0 ]] || player=("$build/tests/pulse_player")
source "$root/tests/integration/pulse_server.sh"
pulse_tools_present || exit 77

work=$(mktemp -d)
trap 'pulse_stop; rm -rf "$work"' EXIT
pulse_start || { echo "no private PulseAudio server"; exit 1; }

text="CQ CQ DE JA1ABC JA1ABC PARIS PARIS PARIS 73 TU"
printf '%-6s %6s %16s %16s %16s %s\n' "speed" "chars" "mean extra (ms)" "worst gap (ms)" "worst sync (ms)" "verdict"
for wpm in 25 60; do
    "$cw" --wpm "$wpm" --seed 1 -o "$work/expected.wav" "$text" || exit 1
    pulse_record_start "$work/recorded.wav"
    timeout 120 "${player[@]}" --wpm "$wpm" --seed 1 "$text" >"$work/events.txt" \
        || { echo "player failed at $wpm wpm"; exit 1; }
    pulse_record_stop
    events=()
    grep -q '^started ' "$work/events.txt" && events=(--events "$work/events.txt")
    summary=$(python3 "$root/tests/integration/pulse_analyse.py" \
        "$work/expected.wav" "$work/recorded.wav" "${events[@]}" --sync-ms "$sound_sync_ms" --summary)
    status=$?
    verdict=ok
    (( status == 0 )) || verdict=MISMATCH
    read -r chars mean worst sync <<<"$summary"
    printf '%-6s %6s %16s %16s %16s %s\n' "$wpm" "$chars" "$mean" "$worst" "$sync" "$verdict"
done
