#!/usr/bin/env bash
# Extra silence the sound output adds between characters, on a private
# null sink: the recorded gap minus the rendered gap, mean per character
# boundary and worst over all gaps, and the worst offset of the on-screen steps
# from the sound they follow, at 25 and 60 wpm. Each figure is the median of
# several runs with their range. The server is PulseAudio, or PipeWire with
# KEYLARK_SOUND_SERVER=pipewire.
#
# usage: [GAP_RUNS=5] bench/gap_bench.sh [BUILD_DIR] [PLAYER [PLAYER_ARGS...]]
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

runs=${GAP_RUNS:-5}
text="CQ CQ DE JA1ABC JA1ABC PARIS PARIS PARIS 73 TU"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $runs runs, median (range)"
for wpm in 25 60; do
    "$cw" --wpm "$wpm" --seed 1 -o "$work/expected.wav" "$text" || exit 1
    : >"$work/summaries.txt"
    mismatches=0
    for ((run = 0; run < runs; ++run)); do
        pulse_record_start "$work/recorded.wav"
        timeout 120 "${player[@]}" --wpm "$wpm" --seed 1 "$text" >"$work/events.txt" \
            || { echo "player failed at $wpm wpm"; exit 1; }
        pulse_record_stop
        events=()
        grep -q '^started ' "$work/events.txt" && events=(--events "$work/events.txt")
        python3 "$root/tests/integration/pulse_analyse.py" \
            "$work/expected.wav" "$work/recorded.wav" "${events[@]}" --sync-ms "$sound_sync_ms" --summary >>"$work/summaries.txt" \
            || mismatches=$((mismatches + 1))
    done
    python3 - "$wpm" "$mismatches" "$work/summaries.txt" <<'PY'
import statistics, sys
wpm, mismatches, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
rows = [line.split() for line in open(path) if line.strip()]
def figure(column):
    values = sorted(float(r[column]) for r in rows if r[column] != "-")
    if not values:
        return "-"
    return f"{statistics.median(values):+.2f} ({values[0]:+.2f} to {values[-1]:+.2f})"
print(f"{wpm} wpm, {rows[0][0]} characters: mean extra {figure(1)} ms; worst gap {figure(2)} ms; "
      f"worst display offset {figure(3)} ms; {len(rows) - mismatches} of {len(rows)} runs match the rendering")
PY
done
