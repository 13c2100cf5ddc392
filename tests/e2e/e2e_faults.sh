#!/usr/bin/env bash
# The real window when the sound fails underneath it: no sound server at
# start-up, the window closed while a character sounds, while Stop lets the
# last character play out and during the pause of random-file mode, and the
# sound server killed while a text is sounding.
# usage: e2e_faults.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1"

# No server at all: a socket that does not exist, and no automatic start of one.
mkdir -p "$work/nosound"
chmod 700 "$work/nosound"
echo "autospawn = no" >"$work/nosound/client.conf"
XDG_RUNTIME_DIR=$work/nosound PULSE_SERVER=unix:$work/nosound/native \
    PULSE_CLIENTCONFIG=$work/nosound/client.conf HOME=$work/nosound \
    run nosound no-sound
check '[[ "$(value nosound result)" == PASS ]]' "without a sound server the window warns, Start and Stop return"

pulse_start || exit 1
run close-sounding close-sounding
check '[[ "$(value close-sounding result)" == PASS ]]' "closing while a character sounds"
run close-stopping close-sounding --stop yes
check '[[ "$(value close-stopping key_down_after_stop)" == 1 ]]' "Stop returns while its character still plays"
check '[[ "$(value close-stopping result)" == PASS ]]' "closing while Stop waits for the last character"
run close-pause close-pause
check '[[ "$(value close-pause result)" == PASS ]]' "closing during the pause between random files"

# A server that takes the connection and never answers.
silent_socket_start "$work/silent.sock"
fixture_pids+=("$silent_pid")
PULSE_SERVER=unix:$work/silent.sock run silent no-sound
check '[[ "$(value silent result)" == PASS ]]' "a silent server: the window warns, Start and Stop return"
check '(( $(value silent longest_gap_ms) < 500 ))' "a silent server never holds up the window"

# The server killed while a text sounds, and started again.
run killed server-killed --kill-pid "$sound_server_pid" --back-flag "$work/server-back" &
runner=$!
for _ in $(seq 300); do
    grep -q '^waiting_for_server' "$work/killed.out" 2>/dev/null && break
    kill -0 $runner 2>/dev/null || break
    sleep 0.1
done
sound_server_up
touch "$work/server-back"
wait $runner || failures=$((failures + 1))
check '(( $(value killed run_end_ms) <= 1000 ))' "the run ends within 1 s of the server's death, with the warning"
check '[[ "$(value killed next_start)" == sounding ]]' "Start after the server's return sounds, with no warning"
check '[[ "$(value killed result)" == PASS ]]' "the window stays responsive through it all"

e2e_finish
