#!/usr/bin/env bash
# A drill call sign in band noise of +10 dB in 500 Hz, heard through a private
# sound server: after a band-pass filter, as a receiver's narrow CW filter
# would, the independent decoder still reads the call sign; the noise fills
# the silence while the answer is awaited and has faded out after Stop.
# usage: e2e_conditions.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1" multimon-ng sox
decode="$source_dir/tests/integration/decode_cw.sh"

pulse_start || exit 1
fixture_start index "$source_dir/tests/integration/callsign_fixture_server.py" \
    --page "$source_dir/tests/data/callsign/index_fixture.html" --lifetime 120

pulse_record_start "$work/noise.wav"
http_proxy=http://127.0.0.1:$port_index no_proxy= run noise drill-in-noise --snr 10
pulse_record_stop
sent=$(value noise sent)
# 160 Hz around the 700 Hz tone.
sox "$work/noise.wav" "$work/filtered.wav" sinc 620-780 2>/dev/null
decoded=$("$decode" "$work/filtered.wav" 25)
read -r gap_noise tone snr tail <<<"$(python3 "$e2e_dir/conditions_analyse.py" "$work/noise.wav")"
echo "sent: '$sent' decoded after the filter: '$decoded'"
echo "noise in the gap: rms $gap_noise; tone rms $tone; measured S/N $snr dB; after Stop: rms $tail"
check '[[ "$(value noise result)" == PASS ]]' "the drill runs in noise, the window responsive"
check '[[ -n "$sent" && " $decoded " == *" $sent "* ]]' "the call sign decodes after a band-pass filter"
check 'python3 -c "import sys; sys.exit(not ($gap_noise > 50))"' "noise fills the silence after the call sign"
check 'python3 -c "import sys; sys.exit(not (7 <= $snr <= 13))"' "the tone stands about 10 dB above the noise"
check 'python3 -c "import sys; sys.exit(not ($tail < 1))"' "the noise has ended after Stop"

e2e_finish
