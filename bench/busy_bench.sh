#!/usr/bin/env bash
# Morse on a busy machine: keylark-cw plays a text into a private null sink
# while two processes spin on the cores, and a third stops the player outright
# for a second mid-text (SIGSTOP, then SIGCONT: the window's thread and the
# sound output's thread stall together). The recording is compared with the
# rendering: a run is exact when no tone and no gap is off by more than 3 ms.
# paplay of the same rendering, under the same load and the same stall, is the
# control. Prints, per server and speed, how many runs were exact and the worst
# gap error (median and range over the runs).
#
# usage: [BUSY_RUNS=5] bench/busy_bench.sh [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 1
cw=$build/src/cli/keylark-cw
runs=${BUSY_RUNS:-5}

if [[ -z ${BUSY_BENCH_SERVER:-} ]]; then
    spinners=()
    for _ in 1 2; do
        bash -c 'while :; do :; done' &
        spinners+=($!)
    done
    trap 'kill "${spinners[@]}" 2>/dev/null' EXIT
    echo "two spinning processes on $(nproc) cores, a 1 s stop of the player mid-text; $runs runs, median (range)"
    for server in pulseaudio pipewire; do
        BUSY_BENCH_SERVER=$server KEYLARK_SOUND_SERVER=$server "$0" "$build"
    done
    exit 0
fi

source "$root/tests/integration/pulse_server.sh"
pulse_tools_present paplay || exit 77
work=$(mktemp -d)
trap 'pulse_stop; rm -rf "$work"' EXIT
pulse_start || { echo "$BUSY_BENCH_SERVER: no private server"; exit 1; }

text="CQ CQ DE JA1ABC JA1ABC PARIS PARIS 73 TU"
# Plays with the given command, stopping it for a second at stallAt seconds.
play_stalled() {
    local stall_at=$1
    shift
    "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep "$stall_at"
    kill -STOP "$pid" 2>/dev/null
    sleep 1
    kill -CONT "$pid" 2>/dev/null
    wait "$pid"
}
for wpm in 25 60; do
    "$cw" --wpm "$wpm" --seed 1 -o "$work/expected.wav" "$text" || exit 1
    seconds=$(python3 -c "import wave,sys; w=wave.open(sys.argv[1]); print(w.getnframes()/w.getframerate())" "$work/expected.wav")
    stall_at=$(python3 -c "print(round($seconds * 0.4, 2))")
    for player in keylark-cw paplay; do
        : >"$work/summaries.txt"
        exact=0
        for ((run = 0; run < runs; ++run)); do
            pulse_record_start "$work/recorded.wav"
            if [[ $player == paplay ]]; then
                play_stalled "$stall_at" paplay "$work/expected.wav"
            else
                play_stalled "$stall_at" "$cw" --wpm "$wpm" --seed 1 "$text"
            fi
            pulse_record_stop
            python3 "$root/tests/integration/pulse_analyse.py" "$work/expected.wav" "$work/recorded.wav" \
                --summary >>"$work/summaries.txt" && exact=$((exact + 1))
        done
        python3 - "$BUSY_BENCH_SERVER" "$wpm" "$player" "$exact" "$work/summaries.txt" <<'PY'
import statistics, sys
server, wpm, player, exact, path = sys.argv[1:6]
rows = [line.split() for line in open(path) if line.strip()]
gaps = sorted(abs(float(r[2])) for r in rows if len(r) > 2 and r[2] != "-")
worst = f"{statistics.median(gaps):.2f} ({gaps[0]:.2f} to {gaps[-1]:.2f}) ms" if gaps else "-"
print(f"{server:10} {wpm} wpm {player:10}: {exact} of {len(rows)} runs exact; worst gap error {worst}")
PY
    done
done
