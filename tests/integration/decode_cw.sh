#!/usr/bin/env bash
# Decodes a Morse WAV file with multimon-ng, an independent decoder that is
# reliable near 20 wpm: the audio is stretched to 20 wpm first.
# usage: decode_cw.sh FILE.wav WPM
set -euo pipefail
wav=$1
wpm=$2
factor=$(python3 -c "print(20/$wpm)")
sox "$wav" -t raw -r 22050 -e signed -b 16 -c 1 - speed "$factor" pad 0 1 2>/dev/null \
    | multimon-ng -q -t raw -a MORSE_CW -d 60 -g 60 - 2>/dev/null \
    | tr -d '\n' | sed 's/^ *//; s/ *$//'
