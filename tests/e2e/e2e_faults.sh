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

# Last, as it takes the server away.
run killed server-killed --kill-pid "$(cat "$pulse_dir/pulse/pid")"
check '[[ "$(value killed result)" == PASS ]]' "the run ends when the server dies; the window stays responsive"

e2e_finish
