#!/usr/bin/env bash
# Band conditions in keylark-cw's WAV files: without them the file is what it
# always was, byte for byte; with them it opens and closes with half a second
# of conditions and the noise runs through the gaps between characters.
set -uo pipefail
cw=$1
command -v python3 >/dev/null || { echo "SKIP: python3 missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Written by the renderer before band conditions existed.
"$cw" --seed 3 -o "$work/plain.wav" "CQ DE JA1ABC" || fail "plain run"
[[ $(md5sum <"$work/plain.wav") == "8cb5e396e0d5964d4ef93169605cf2b1  -" ]] || fail "plain file changed"

lead_bytes=$((2 * 4000))
"$cw" --seed 1 -o "$work/clean.wav" "CQ DE JA1ABC" || fail "clean run"
"$cw" --noise 10 --seed 1 -o "$work/noisy.wav" "CQ DE JA1ABC" || fail "noise run"
clean=$(stat -c %s "$work/clean.wav")
for options in "--noise 10" "--qsb" "--qsb-depth 20 --qrm" "--noise -10 --qsb --qrm"; do
    # shellcheck disable=SC2086
    "$cw" $options --seed 1 -o "$work/c.wav" "CQ DE JA1ABC" || { fail "$options: exit $?"; continue; }
    size=$(stat -c %s "$work/c.wav")
    [[ $size -eq $((clean + 2 * lead_bytes)) ]] || fail "$options: size $size, clean $clean"
done

# The noise of the lead-in and that of the gaps between characters (where the
# clean file is silent for two units or more) are the same noise.
python3 - "$work/clean.wav" "$work/noisy.wav" <<'PY' || failures=$((failures + 1))
import array, math, sys, wave
def samples(path):
    with wave.open(path) as w:
        return array.array("h", w.readframes(w.getnframes()))
clean, noisy = samples(sys.argv[1]), samples(sys.argv[2])
lead = 4000
rms = lambda xs: math.sqrt(sum(x * x for x in xs) / len(xs))
gaps, run = [], []
for i, x in enumerate(clean):
    if x == 0:
        run.append(noisy[lead + i])
    else:
        if len(run) >= 2 * 384:
            gaps.extend(run)
        run = []
head, tail = rms(noisy[:lead]), rms(noisy[-lead:])
between = rms(gaps)
print(f"noise rms: lead-in {head:.0f}, gaps {between:.0f}, lead-out {tail:.0f}")
ok = head > 100 and all(abs(20 * math.log10(r / head)) < 1.5 for r in (between, tail))
sys.exit(0 if ok else 1)
PY
exit $((failures > 0))
