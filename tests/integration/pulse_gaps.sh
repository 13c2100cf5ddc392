#!/usr/bin/env bash
# Plays "PARIS PARIS" through the real sound output into a private null sink
# (PulseAudio, or PipeWire with KEYLARK_SOUND_SERVER=pipewire), records the
# sink's monitor and checks that every tone and every gap lasts as rendered
# (3 ms), that no tone is cut short, that an independent decoder reads the text
# back, and, when the player logs its on-screen events, that they follow the
# sound within 30 ms (40 ms on PipeWire); KEYLARK_NO_EVENT_SYNC=1 leaves that
# last check out, for a player that is kept from its events on purpose.
#
# usage: pulse_gaps.sh KEYLARK_CW PLAYER [PLAYER_ARGS...]
# The player is run with keylark-cw's options (without -o) and the text; it
# must exit 0 once everything has been heard.
set -uo pipefail
cw=$1
shift
player=("$@")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/pulse_server.sh"
pulse_tools_present multimon-ng || exit 77

work=$(mktemp -d)
trap 'pulse_stop; rm -rf "$work"' EXIT
pulse_start || { echo "FAIL: no private PulseAudio server"; exit 1; }

text="PARIS PARIS"
status=0
for wpm in 25 60; do
    "$cw" --wpm "$wpm" --seed 1 -o "$work/expected.wav" "$text" || { echo "FAIL: keylark-cw"; exit 1; }
    pulse_record_start "$work/recorded.wav"
    if ! timeout 60 "${player[@]}" --wpm "$wpm" --seed 1 "$text" >"$work/events.txt"; then
        echo "FAIL ($wpm wpm): player failed"
        status=1
    fi
    pulse_record_stop
    events=()
    [[ -z ${KEYLARK_NO_EVENT_SYNC:-} ]] && grep -q '^started ' "$work/events.txt" && events=(--events "$work/events.txt" --sync-ms "$sound_sync_ms")
    echo "$wpm wpm:"
    python3 "$here/pulse_analyse.py" "$work/expected.wav" "$work/recorded.wav" "${events[@]}" \
        || status=1
    heard=$("$here/decode_cw.sh" "$work/recorded.wav" "$wpm")
    echo "decoded: '$heard'"
    [[ "$heard" == "$text" ]] || { echo "FAIL ($wpm wpm): decoded '$heard'"; status=1; }
done
exit $status
