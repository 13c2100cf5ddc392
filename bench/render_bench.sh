#!/usr/bin/env bash
# How fast keylark-cw renders 100 KB of English text to a WAV file: the
# median of several runs and their range, since one run on a shared machine
# says little.
# usage: bench/render_bench.sh [build-dir] [runs (5)]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
cw="$build/src/cli/keylark-cw"
[[ -x "$cw" ]] || { echo "build first: $cw not found" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 100 KB of plain English prose with digits and punctuation, made here.
python3 - "$work/text.txt" <<'PY'
import random, sys
random.seed(7)
words = ("the quick brown fox jumps over lazy dog radio amateur station call sign "
         "contest report signal strength antenna frequency weather name qth rig "
         "power watts thanks for the nice contact 73 and good dx 599 5nn tu").split()
out = []
size = 0
while size < 100 * 1024:
    sentence = " ".join(random.choice(words) for _ in range(random.randint(5, 14))).capitalize() + ". "
    out.append(sentence)
    size += len(sentence)
open(sys.argv[1], "w").write("".join(out)[:100 * 1024])
PY

for wpm in 25 60; do
    times=()
    for ((run = 0; run < runs; ++run)); do
        start=$(date +%s.%N)
        "$cw" --wpm "$wpm" --seed 1 -o "$work/out.wav" - < "$work/text.txt"
        end=$(date +%s.%N)
        times+=("$start:$end")
    done
    bytes=$(stat -c %s "$work/out.wav")
    python3 - "$bytes" "$wpm" "${times[@]}" <<'PY'
import statistics, sys
size, wpm = int(sys.argv[1]), sys.argv[2]
seconds = [float(e) - float(s) for s, e in (t.split(":") for t in sys.argv[3:])]
audio = (size - 44) / 16000
speeds = sorted(audio / t for t in seconds)
print(f"{wpm} wpm: 100 KB of text -> {audio/3600:.2f} h of audio ({size/1e6:.0f} MB WAV); "
      f"{len(speeds)} runs, median {statistics.median(seconds):.2f} s = "
      f"{statistics.median(speeds):,.0f}x real time (range {speeds[0]:,.0f}-{speeds[-1]:,.0f}x)")
PY
done
