#!/usr/bin/env bash
# Bad arguments give a one-line error and a non-zero exit, and leave no file.
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
    if [[ ! -s "$work/err" ]]; then
        echo "FAIL ($what): no message"; failures=$((failures + 1))
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
expect_failure "no text" -o "$work/out.wav"
expect_failure "character too long" --wpm 10 --ratio 1000 -o "$work/out.wav" "T"
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
exit $((failures > 0))
