#!/usr/bin/env bash
# How soon the sound output sounds again, on a private null sink, RUNS times:
#  - from idle: Start after the stream has been let go, to the first tone;
#  - after the server's return: the server killed while idle and started
#    again; Start as soon as it answers with its sink in place, to the first
#    tone;
# and the CPU the idle program used in 10 s. The first tone is when the
# server reports the first sample played. The server is PulseAudio, or
# PipeWire with KEYLARK_SOUND_SERVER=pipewire.
#
# usage: bench/recovery_bench.sh [BUILD_DIR] [RUNS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 1
runs=${2:-5}
source "$root/tests/integration/pulse_server.sh"
source "$root/tests/integration/player_control.sh"
pulse_tools_present || exit 77

work=$(mktemp -d)
trap 'player_quit; pulse_stop; rm -rf "$work"' EXIT
pulse_start || { echo "no private sound server"; exit 1; }
player_start "$work/player.log" "$build/tests/pulse_player" --commands --wpm 25 --seed 1 "PARIS"
player_expect open 5 >/dev/null || { echo "the player did not open"; exit 1; }

field() { cut -d' ' -f"$1"; }
idle=()
back=()
for run in $(seq "$runs"); do
    sleep 1.5
    player_say start
    idle+=("$(player_expect first-tone 10 | field 2)")
    player_expect end 30 >/dev/null

    sound_server_kill
    player_expect lost 5 >/dev/null
    sleep 1
    sound_server_up quick || { echo "the server did not come back"; exit 1; }
    returned=$(now_ms)
    player_say start
    line=$(player_expect first-tone 10) && back+=("$(( $(echo "$line" | field 3) - returned ))")
    player_expect end 30 >/dev/null
    # Let a PulseAudio null sink settle before the next idle figure.
    sleep 3
done
before=$(player_cpu_ticks)
sleep 10
ticks=$(( $(player_cpu_ticks) - before ))

summary() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { printf "median %d ms, range %d-%d ms (%d runs)", v[int((NR + 1) / 2)], v[1], v[NR], NR }'; }
echo "server: $sound_server"
echo "first tone after Start, from idle:            $(summary "${idle[@]}")"
echo "first tone after the server's return + Start: $(summary "${back[@]}")"
echo "CPU while idle: $ticks clock ticks in 10 s"
