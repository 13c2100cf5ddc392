#!/usr/bin/env bash
# A practice session that never breaks, heard through a private PulseAudio null
# sink and decoded by an independent decoder: an early answer, Stop after a
# refused Start, Enter after Stop, a failed read, a line break in the memo.
# usage: e2e_practice.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1" multimon-ng
decode="$source_dir/tests/integration/decode_cw.sh"

pulse_start || exit 1
fixture_start index "$source_dir/tests/integration/callsign_fixture_server.py" \
    --page "$source_dir/tests/data/callsign/index_fixture.html" --lifetime 120
via_index=http://127.0.0.1:$port_index

# Enter while the first call sign sounds: the next one follows after a word
# gap, so the two decode as two words, not one run-together call sign.
pulse_record_start "$work/early.wav"
http_proxy=$via_index no_proxy= run early early-answer
pulse_record_stop
first=$(value early first)
second=$(value early second)
decoded=$("$decode" "$work/early.wav" 25)
echo "first: '$first' second: '$second' decoded: '$decoded'"
read -r heard_first heard_second rest <<<"$decoded"
check '[[ "$(value early result)" == PASS ]]' "an early answer keeps Stop usable"
check '[[ -n "$heard_first" && "$first" == "$heard_first"* ]]' "the first word is the start of the first call sign"
check '[[ "$heard_second" == "$second" && -z "$rest" ]]' "the second call sign is a word of its own"

http_proxy=$via_index no_proxy= run refused stop-after-refused-start
check '[[ "$(value refused result)" == PASS ]]' "Stop after a refused Start silences the new text within one character"

http_proxy=$via_index no_proxy= run enter enter-after-stop
check '[[ "$(value enter result)" == PASS ]]' "Enter after Stop plays nothing and adds no row"

pulse_record_start "$work/failed.wav"
http_proxy=$via_index no_proxy= run failed failed-read-keeps-list
pulse_record_stop
sent=$(value failed sent)
decoded=$("$decode" "$work/failed.wav" 25)
echo "sent: '$sent' decoded: '$decoded'"
check '[[ "$(value failed result)" == PASS ]]' "a failed read keeps the list and says why"
check '[[ -n "$sent" && "${decoded%% *}" == "$sent" ]]' "Start after the failed read plays a call sign of the earlier list"

# Closed and started again with the network gone: the memo at the saved speed,
# a call sign of the kept list, and the three answers in the history.
http_proxy=$via_index no_proxy= run restart restart-keeps-work
check '[[ "$(value restart result)" == PASS ]]' "memo, speed, kept list and history come back after a restart, offline"
check '[[ "$(value restart dot_samples)" == 320 ]]' "the kept memo sounds at the saved 30 wpm"

# A line break typed between two words sounds as a word space.
pulse_record_start "$work/lines.wav"
run lines plain --memo $'THE\nQUICK' --expect "THE QUICK"
pulse_record_stop
decoded=$("$decode" "$work/lines.wav" 25)
echo "decoded: '$decoded'"
check '[[ "$decoded" == "THE QUICK" ]]' "THE + line break + QUICK decodes as THE QUICK"

e2e_finish
