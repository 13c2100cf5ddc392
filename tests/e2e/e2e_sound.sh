#!/usr/bin/env bash
# The real window sounding through a private PulseAudio null sink, decoded by
# an independent decoder: the plain-text practice, and the call-sign drill on a
# list read through http_proxy from the local fixture.
# usage: e2e_sound.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1" multimon-ng
decode="$source_dir/tests/integration/decode_cw.sh"

pulse_start || exit 1

# Plain text: the memo with a bracket notation, at the starting 25 wpm.
pulse_record_start "$work/plain.wav"
run plain plain --memo "CQ CQ DE JA1ABC [AR]" --expect "CQ CQ DE JA1ABC +"
pulse_record_stop
decoded=$("$decode" "$work/plain.wav" 25)
echo "decoded: '$decoded'"
# The decoder writes the AR prosign as "+", as the ticker does.
check '[[ "$decoded" == "CQ CQ DE JA1ABC +" ]]' "the memo sounds as CQ CQ DE JA1ABC [AR]"

# Call-sign drill: the list from the fixture page, one call sign heard, typed
# back and judged.
fixture_start index "$source_dir/tests/integration/callsign_fixture_server.py" \
    --page "$source_dir/tests/data/callsign/index_fixture.html" --lifetime 100
pulse_record_start "$work/drill.wav"
http_proxy=http://127.0.0.1:$port_index no_proxy= run drill drill --year 2017
pulse_record_stop
sent=$(value drill sent)
decoded=$("$decode" "$work/drill.wav" 25)
echo "sent: '$sent' decoded: '$decoded'"
# The answer starts the next call sign and Stop lets at most one of its
# characters play: the first word is the call sign that was judged.
heard=${decoded%% *}
python3 - "$source_dir/tests/data/callsign/index_fixture.html" >"$work/entries" <<'PY'
import re, sys
page = open(sys.argv[1], encoding="latin-1").read()
for text in re.findall(r'<a href="[^"]*\.log">([^<]*)</a>', page, re.I):
    print(text.upper())
PY
check '[[ -n "$sent" && "$heard" == "$sent" ]]' "the call sign heard is the one sent ($sent)"
check 'grep -qxF -- "$heard" "$work/entries"' "the call sign heard is an entry of the fixture page"
check '[[ "$(value drill row)" == "1 $sent $sent 25 OK" ]]' "typing it + Enter adds row 1 judged OK"
check 'grep -q "REQUEST http://www.cqww.com/publiclogs/2017cw/" "$work/fixture-index.log"' \
    "the list was read through the proxy"

# Stream listening over a check-partial file chosen in the call-sign file
# dialog: comments, CR LF, lower case and a portable suffix. Four call signs
# (one more than the list holds) play; each must decode to an entry of the
# file, and never to the call in a comment.
printf '# KEYLARK test list W9XYZ\r\n#EA8AA\r\nk1ar\r\nJA1ZZ/p\r\n\r\ndl1a\r\nK1AR\r\n' >"$work/calls.scp"
pulse_record_start "$work/stream.wav"
run stream call-file-stream --file "$work/calls.scp"
pulse_record_stop
sent=$(value stream sent)
decoded=$("$decode" "$work/stream.wav" 25)
echo "sent: '$sent' decoded: '$decoded'"
check '[[ "$(value stream result)" == PASS ]]' "the stream of the file's call signs played to its end"
check '[[ "$(value stream list)" == "K1AR JA1ZZ/P DL1A" && "$(value stream status)" == "calls.scp : 3局" ]]' \
    "the list is the file's entries, each once, and the status bar names the file"
check '[[ -n "$decoded" && "$decoded" == "$sent" ]]' "what was heard is what was sent"
only_entries=yes
words=0
for word in $decoded; do
    words=$((words + 1))
    [[ " K1AR JA1ZZ/P DL1A " == *" $word "* ]] || only_entries=no
done
check '[[ $only_entries == yes && $words -eq 4 ]]' "every call sign heard ($words) is an entry of the file"

e2e_finish
