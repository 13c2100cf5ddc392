#!/usr/bin/env bash
# Bad arguments give exactly one line of error, in English, and a non-zero
# exit, and leave no file.
set -uo pipefail
cw=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
expect_failure() {
    local what=$1; shift
    rm -f "$work/out.wav"
    if ${as_user:-} "$cw" "$@" 2>"$work/err"; then
        echo "FAIL ($what): exit 0"; failures=$((failures + 1)); return
    fi
    if [[ -e "$work/out.wav" ]]; then
        echo "FAIL ($what): left $work/out.wav"; failures=$((failures + 1))
    fi
    if [[ $(wc -l <"$work/err") -ne 1 ]]; then
        echo "FAIL ($what): not one line:"; cat "$work/err"; failures=$((failures + 1))
    fi
    if LC_ALL=C grep -q '[^ -~]' "$work/err"; then
        echo "FAIL ($what): not plain English: $(cat "$work/err")"; failures=$((failures + 1))
    fi
    if [[ -n $(ls -A "$work" | grep -v -x -e err -e ro -e zeros.txt) ]]; then
        echo "FAIL ($what): left files: $(ls -A "$work")"; failures=$((failures + 1))
    fi
    echo "ok ($what): $(head -n1 "$work/err")"
}
expect_failure "speed too low" --wpm 9 -o "$work/out.wav" "CQ"
expect_failure "speed too high" --wpm 61 -o "$work/out.wav" "CQ"
expect_failure "pitch not a number" --pitch abc -o "$work/out.wav" "CQ"
expect_failure "spacing too wide" --spacing 14 -o "$work/out.wav" "CQ"
expect_failure "volume negative" --volume -1 -o "$work/out.wav" "CQ"
expect_failure "ratio not an integer" --ratio 2.5 -o "$work/out.wav" "CQ"
expect_failure "unknown option" --speed 20 -o "$work/out.wav" "CQ"
expect_failure "noise ratio too low" --noise -11 -o "$work/out.wav" "CQ"
expect_failure "noise ratio too high" --noise 31 -o "$work/out.wav" "CQ"
expect_failure "noise ratio not a number" --noise loud -o "$work/out.wav" "CQ"
expect_failure "noise without its ratio" -o "$work/out.wav" "CQ" --noise
expect_failure "fading too shallow" --qsb-depth 2 -o "$work/out.wav" "CQ"
expect_failure "fading too deep" --qsb-depth 31 -o "$work/out.wav" "CQ"
expect_failure "second station with a value" --qrm=on -o "$work/out.wav" "CQ"
expect_failure "no text" -o "$work/out.wav"
expect_failure "value of a flag" --qsb=6 -o "$work/out.wav" "CQ"
expect_failure "empty attached value" --wpm= -o "$work/out.wav" "CQ"
expect_failure "attached value out of range" --wpm=61 -o "$work/out.wav" "CQ"
# A text with nothing Morse can send writes no file of silence.
for empty in "" "   " "~ € ~"; do
    expect_failure "nothing to send: '$empty'" -o "$work/out.wav" "$empty"
    grep -q "nothing to send" "$work/err" || { echo "FAIL: '$empty' not refused as nothing to send"; failures=$((failures + 1)); }
done
printf '\r\n \n' | expect_failure "nothing to send on standard input" -o "$work/out.wav" -
expect_failure "character too long" --wpm 10 --ratio 1000 -o "$work/out.wav" "T"
expect_failure "too long at the widest spacing" --wpm 10 --ratio 11 --spacing 13 -o "$work/out.wav" "T"
# 30 000 zeros at 10 wpm, ratio 10, widest spacing: 4.5 GiB of audio. Refused
# before anything is written, so at once.
head -c 30000 /dev/zero | tr '\0' '0' >"$work/zeros.txt"
start=$(date +%s%N)
expect_failure "longer than a WAV file can hold" --wpm 10 --ratio 10 --spacing 13 -o "$work/out.wav" - \
    <"$work/zeros.txt"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
if (( elapsed_ms > 3000 )); then echo "FAIL: the refusal took $elapsed_ms ms"; failures=$((failures + 1)); fi
rm -f "$work/zeros.txt"
# Playing without any sound server: one line, nothing from the sound library.
PULSE_SERVER=unix:$work/no-server expect_failure "no sound server" "CQ"
grep -q "no PulseAudio or PipeWire sound server answered" "$work/err" \
    || { echo "FAIL: no sound server: $(cat "$work/err")"; failures=$((failures + 1)); }
rm -f "$work/err"
mkdir "$work/ro" && chmod a-w "$work/ro"
# Permission bits do not stop root: drop the two capabilities that let it pass.
if [[ $(id -u) -eq 0 ]]; then
    as_user="setpriv --bounding-set -dac_override,-dac_read_search --"
fi
expect_failure "unwritable output" -o "$work/ro/out.wav" "CQ"
as_user=
expect_failure "output in a missing folder" -o "$work/missing/out.wav" "CQ"

# A good run writes a complete RIFF file: 44-byte header + data of the stated size.
"$cw" --seed 3 -o "$work/ok.wav" "E" || { echo "FAIL: good run"; exit 1; }
size=$(stat -c %s "$work/ok.wav")
# E at 25 wpm: 384 tone + 1152 silence samples = 3072 bytes.
if [[ $size -ne $((44 + 3072)) ]]; then echo "FAIL: size $size"; failures=$((failures + 1)); fi
# Kana on the command line are UTF-8 whatever the locale: ア is --.-- (20 units).
LC_ALL=C "$cw" --seed 3 -o "$work/kana.wav" "ア" || { echo "FAIL: kana"; failures=$((failures + 1)); }
size=$(stat -c %s "$work/kana.wav")
if [[ $size -ne $((44 + 2 * 20 * 384)) ]]; then echo "FAIL: kana size $size"; failures=$((failures + 1)); fi
printf 'CQ' | "$cw" --seed 3 -o "$work/stdin.wav" - || { echo "FAIL: stdin"; failures=$((failures + 1)); }
[[ -s "$work/stdin.wav" ]] || { echo "FAIL: stdin wrote nothing"; failures=$((failures + 1)); }
# A lone LF between two words is a word space: E, space, E = 12 units.
printf 'E\nE\n' | "$cw" --seed 3 -o "$work/lf.wav" - || { echo "FAIL: lone LF"; failures=$((failures + 1)); }
size=$(stat -c %s "$work/lf.wav")
if [[ $size -ne $((44 + 2 * 12 * 384)) ]]; then echo "FAIL: lone LF size $size"; failures=$((failures + 1)); fi
# A long option's value after "=" is the same as after a space; after "--" a
# text may start with a dash.
"$cw" --seed=3 --wpm=30 --pitch=800 -o "$work/spaced.wav" "CQ" && \
    "$cw" --seed 3 --wpm 30 --pitch 800 -o "$work/attached.wav" "CQ" && \
    cmp -s "$work/spaced.wav" "$work/attached.wav" || { echo "FAIL: --opt=value"; failures=$((failures + 1)); }
"$cw" --seed 3 -o "$work/dash.wav" -- "-E" || { echo "FAIL: text after --"; failures=$((failures + 1)); }
# -E: -....- (18 units with its gap) then E (4).
size=$(stat -c %s "$work/dash.wav")
if [[ $size -ne $((44 + 2 * 22 * 384)) ]]; then echo "FAIL: text after -- size $size"; failures=$((failures + 1)); fi
# A ratio too long only at the slowest settings is fine where it fits.
"$cw" --seed 3 --ratio 11 -o "$work/r11.wav" "T" || { echo "FAIL: ratio 11 at 25 wpm"; failures=$((failures + 1)); }
exit $((failures > 0))
