#!/usr/bin/env bash
# Starts and stops every server the suite relies on N times in a row and says
# how many starts came up ready: the PulseAudio daemon, PipeWire with its
# session manager and PulseAudio server, and the HTTP fixture.
#   harness_selfcheck.sh [N]    (default 20)
# Exit 0 only when every start was ready. The figures in the README come
# from it, run with two busy processes beside it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-20}
all_ready=1

for server in pulseaudio pipewire; do
    export KEYLARK_SOUND_SERVER=$server
    ready=0
    for run in $(seq "$runs"); do
        (
            # shellcheck source=pulse_server.sh
            source "$here/pulse_server.sh"
            pulse_tools_present || exit 77
            trap pulse_stop EXIT
            started=$(now_ms)
            pulse_start || exit 1
            echo "  $server start $run ready after $(( $(now_ms) - started )) ms"
        )
        case $? in
            0) ready=$((ready + 1)) ;;
            77) echo "SKIP: $server missing"; exit 77 ;;
            *) echo "  $server start $run NOT ready" ;;
        esac
    done
    echo "$server: $ready of $runs starts ready"
    [[ $ready -eq $runs ]] || all_ready=0
done

ready=0
for run in $(seq "$runs"); do
    log=$(mktemp)
    python3 "$here/callsign_fixture_server.py" --page "$here/../data/callsign/index_fixture.html" >"$log" 2>&1 &
    pid=$!
    (
        source "$here/pulse_server.sh"
        ready_reset
        ready_wait "the fixture's port" eval "grep -q '^PORT ' '$log' || ! kill -0 $pid" || exit 1
        port=$(sed -n 's/^PORT //p' "$log")
        ready_wait "the fixture answering" eval "exec 3<>/dev/tcp/127.0.0.1/$port && exec 3>&-"
    ) && ready=$((ready + 1)) || { echo "  fixture start $run NOT ready"; cat "$log"; }
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    rm -f "$log"
done
echo "HTTP fixture: $ready of $runs starts ready"
[[ $ready -eq $runs ]] || all_ready=0

[[ $all_ready -eq 1 ]]
