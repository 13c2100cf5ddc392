#!/usr/bin/env bash
# The sound output riding through what a desktop's sound server does to it, on
# a private server (KEYLARK_SOUND_SERVER: pulseaudio or pipewire), with the
# player driven like the window's Start button:
#  - the server killed while a text sounds: the loss is reported within 1 s;
#  - the server started again on the same socket: Start plays, the recording
#    decodes and every gap is exact;
#  - idle: no stream held, no CPU used; the next Start plays exact gaps again;
#  - the sink suspended in the middle of a text: the text still ends, and the
#    gaps after the pause are exact;
#  - the default output changed between two Starts: the second plays there;
#  - no server when the program starts: Start fails at once, and plays as
#    soon as a server is there;
#  - a server that takes the connection and never answers: open, Start and
#    quitting each return at once;
#  - on PipeWire, its session manager gone (a broken desktop session): the
#    server takes the stream and never starts it; the run ends with the loss
#    within a few seconds.
#
# usage: sound_faults.sh KEYLARK_CW PULSE_PLAYER
set -uo pipefail
cw=$1
player=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/pulse_server.sh"
source "$here/player_control.sh"
pulse_tools_present multimon-ng || exit 77

work=$(mktemp -d)
hang_pid=
trap 'player_quit; [[ -n $hang_pid ]] && kill $hang_pid; pulse_stop; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

text="PARIS PARIS"
wpm=25
"$cw" --wpm $wpm --seed 1 -o "$work/expected.wav" "$text" || { echo "FAIL: keylark-cw"; exit 1; }

# Plays the text once more while the monitor of sink $2 is recorded, and
# checks the recording against the rendering: tones, gaps, decoding.
played_exactly() {  # label [sink]
    pulse_record_start "$work/$1.wav" "${2:-keylark}"
    player_say start
    player_expect end 60 >/dev/null || { pulse_record_stop; fail "$1: the text did not end"; return; }
    pulse_record_stop
    player_run_events >"$work/$1.events"
    echo "$1:"
    python3 "$here/pulse_analyse.py" "$work/expected.wav" "$work/$1.wav" --events "$work/$1.events" --sync-ms "$sound_sync_ms" \
        || fail "$1: timing"
    local heard
    heard=$("$here/decode_cw.sh" "$work/$1.wav" $wpm)
    [[ "$heard" == "$text" ]] || fail "$1: decoded '$heard'"
}

ours_playing() {
    pactl list sink-inputs 2>/dev/null | grep -c 'application.name = "KEYLARK"'
}

pulse_start || { echo "FAIL: no private sound server"; exit 1; }

# ---- killed and started again ----
player_start "$work/killed.log" "$player" --commands --wpm 15 --seed 1 "PARIS PARIS PARIS PARIS"
[[ $(player_expect open 5 | cut -d' ' -f2) == 0 ]] || fail "open with a server running"
player_say start
player_expect first-tone 5 >/dev/null || fail "killed: nothing sounded"
sleep 1
killed=$(now_ms)
sound_server_kill || fail "the server did not die"
if line=$(player_expect lost 5); then
    took=$(( ${line##* } - killed ))
    echo "server killed: loss reported after $took ms"
    (( took <= 1000 )) || fail "killed: the loss took $took ms"
else
    fail "killed: no loss reported"
fi
player_quit

player_start "$work/back.log" "$player" --commands --wpm $wpm --seed 1 "$text"
player_expect open 5 >/dev/null
sound_server_kill
player_say start
line=$(player_expect open 5) && echo "Start without a server: $line"
[[ $(cut -d' ' -f2 <<<"$line") == 6 ]] || fail "Start without a server: '$line'"
sound_server_up || { echo "FAIL: the server did not come back"; exit 1; }
played_exactly restarted
grep -q '^lost' "$work/back.log" && fail "restarted: a loss reported after the server came back"

# ---- idle between texts ----
sleep 1.5
[[ $(ours_playing) == 0 ]] || fail "idle: a stream is still held"
ticks_before=$(player_cpu_ticks)
sleep 5
idle_ticks=$(( $(player_cpu_ticks) - ticks_before ))
echo "idle: $idle_ticks clock ticks of CPU in 5 s"
(( idle_ticks <= 3 )) || fail "idle: $idle_ticks ticks of CPU in 5 s"
played_exactly after-idle

# ---- the sink suspended in the middle of a text ----
long="PARIS PARIS PARIS PARIS"
player_quit
player_start "$work/suspend.log" "$player" --commands --wpm $wpm --seed 1 "$long"
player_expect open 5 >/dev/null
"$cw" --wpm $wpm --seed 1 -o "$work/suspend-expected.wav" "$long"
player_say start
player_expect first-tone 5 >/dev/null || fail "suspend: nothing sounded"
sleep 1.5
[[ $(ours_playing) == 1 ]] || fail "suspend: no stream while sounding"
pactl suspend-sink keylark 1
sleep 1
pactl suspend-sink keylark 0
# A recording running through the suspension stops for good on PipeWire:
# record what comes after it.
pulse_record_start "$work/suspend.wav"
if player_expect end 30 >/dev/null; then
    pulse_record_stop
    echo "suspended for 1 s:"
    python3 "$here/pulse_analyse.py" "$work/suspend-expected.wav" "$work/suspend.wav" --tail \
        || fail "suspend: timing after the pause"
else
    pulse_record_stop
    fail "suspend: the text did not end"
fi

# ---- the default output changed between two Starts ----
pactl load-module module-null-sink sink_name=keylark2 >/dev/null
pactl set-default-sink keylark2
player_quit
player_start "$work/switched.log" "$player" --commands --wpm $wpm --seed 1 "$text"
player_expect open 5 >/dev/null
played_exactly switched keylark2
pactl set-default-sink keylark

# ---- no server when the program starts ----
player_quit
sound_server_kill
player_start "$work/late.log" "$player" --commands --wpm $wpm --seed 1 "$text"
line=$(player_expect open 5)
echo "no server at start-up: $line"
[[ $(cut -d' ' -f2 <<<"$line") == 6 ]] || fail "no server at start-up: '$line'"
sound_server_up || { echo "FAIL: the server did not come up"; exit 1; }
played_exactly late-server

# ---- a server that takes the connection and never answers ----
player_quit
silent_socket_start "$work/hang.sock"
hang_pid=$silent_pid
PULSE_SERVER=unix:$work/hang.sock player_start "$work/hang.log" "$player" --commands --wpm $wpm "$text"
line=$(player_expect open 10)
echo "silent server, at start-up: $line"
read -r _ code took _ <<<"$line"
[[ $code == 1 && ${took:-9999} -le 1000 ]] || fail "silent server: open '$line'"
player_say start
line=$(player_expect open 10)
echo "silent server, Start: $line"
read -r _ code took _ <<<"$line"
[[ $code == 1 && ${took:-9999} -le 1000 ]] || fail "silent server: Start '$line'"
quit_start=$(now_ms)
player_quit
echo "silent server, quit after $(( $(now_ms) - quit_start )) ms"
(( $(now_ms) - quit_start <= 2000 )) || fail "silent server: quitting took too long"

if [[ $sound_server == pipewire ]]; then
    kill "$session_manager_pid"
    player_start "$work/broken.log" "$player" --commands --wpm $wpm "$text"
    player_expect open 5 >/dev/null
    started=$(now_ms)
    player_say start
    if line=$(player_expect lost 10); then
        echo "no session manager: the run ended with the loss after $(( ${line##* } - started )) ms"
    else
        fail "no session manager: the run did not end"
    fi
fi

exit $((failures > 0))
