#!/usr/bin/env bash
# The real sound output when things go wrong, on a private sound server
# (KEYLARK_SOUND_SERVER: pulseaudio or pipewire):
#  - Stop while a character sounds: it plays out whole and nothing else sounds
#    after the characters already handed to the server;
#  - closing while a character sounds, many times: never a hang or a crash;
#  - no sound server: the open fails at once with "no device driver present";
#  - the server dies while playing: the loss is reported and the player ends.
#
# usage: pulse_device.sh KEYLARK_CW PULSE_PLAYER
set -uo pipefail
cw=$1
player=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/pulse_server.sh"
pulse_tools_present || exit 77

work=$(mktemp -d)
trap 'pulse_stop; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

pulse_start || { echo "FAIL: no private PulseAudio server"; exit 1; }

# keylark-cw echoes the text as it was written, not as the signs it sends.
echoed=$(timeout 30 "$cw" --wpm=40 "CQ [ar] +" 2>"$work/echo.err")
[[ $echoed == "CQ [ar] +" ]] || fail "echo: '$echoed' $(cat "$work/echo.err")"

text="PARIS PARIS"
for wpm in 25 60; do
    pulse_record_start "$work/stop.wav"
    timeout 30 "$player" --stop-at 3 --wpm "$wpm" --seed 1 "$text" >"$work/stop.txt" \
        || fail "stop at $wpm wpm: player failed"
    pulse_record_stop
    # What must have sounded: the characters that finished, nothing more.
    heard=$(awk '$1 == "finished" { n = $2 } END { print n + 0 }' "$work/stop.txt")
    if (( heard < 3 || heard >= ${#text} )); then
        fail "stop at $wpm wpm: $heard characters heard"
    fi
    "$cw" --wpm "$wpm" --seed 1 -o "$work/stop-expected.wav" "${text:0:heard}"
    echo "stop at $wpm wpm: $heard characters heard"
    python3 "$here/pulse_analyse.py" "$work/stop-expected.wav" "$work/stop.wav" \
        || fail "stop at $wpm wpm: recording differs from the first $heard characters"
done

crashes=0
for run in $(seq 20); do
    timeout 10 "$player" --close-at $(( run % 4 + 1 )) --wpm 40 --seed 1 "$text" >/dev/null 2>"$work/close.err"
    code=$?
    (( code == 0 )) || { crashes=$((crashes + 1)); echo "run $run: exit $code"; cat "$work/close.err"; }
done
echo "close while sounding: $crashes of 20 runs failed"
(( crashes == 0 )) || fail "close while sounding"

start=$(date +%s%N)
PULSE_SERVER=unix:$work/no-such-server timeout 10 "$player" "E" >/dev/null 2>"$work/none.err"
code=$?
took=$(( ($(date +%s%N) - start) / 1000000 ))
echo "no server: exit $code after $took ms: $(tr '\r\n' '  ' <"$work/none.err")"
(( code == 1 )) || fail "no server: exit $code"
grep -q "no device driver present" "$work/none.err" || fail "no server: wrong message"
(( took < 5000 )) || fail "no server: took $took ms"

timeout 30 "$player" --wpm 15 --seed 1 "PARIS PARIS PARIS PARIS" >/dev/null 2>"$work/lost.err" &
playing=$!
sleep 2
sound_server_kill
wait "$playing"
code=$?
echo "server killed: exit $code: $(cat "$work/lost.err")"
(( code == 1 )) || fail "server killed: exit $code"
grep -q "device lost" "$work/lost.err" || fail "server killed: loss not reported"
exit $((failures > 0))
