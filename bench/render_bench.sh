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

# Wall-clock time is what a user waits; the processor time the tool itself
# used is shown beside it, since on a shared machine the wall clock also counts
# the time other programs held the processor.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
python3 - "$cw" "$work" "$runs" <<'PY'
import os, resource, statistics, subprocess, sys, time
cw, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
out = os.path.join(work, "out.wav")
for wpm in (25, 60):
    walls, cpus = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        with open(os.path.join(work, "text.txt"), "rb") as text:
            subprocess.run([cw, "--wpm", str(wpm), "--seed", "1", "-o", out, "-"], stdin=text, check=True)
        walls.append(time.monotonic() - start)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpus.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
    size = os.path.getsize(out)
    audio = (size - 44) / 16000
    def figure(times):
        speeds = sorted(audio / t for t in times)
        return (f"median {statistics.median(times):.2f} s = {statistics.median(speeds):,.0f}x real time "
                f"(range {speeds[0]:,.0f}-{speeds[-1]:,.0f}x)")
    print(f"{wpm} wpm: 100 KB of text -> {audio/3600:.2f} h of audio ({size/1e6:.0f} MB WAV), {runs} runs")
    print(f"  wall clock:     {figure(walls)}")
    print(f"  processor time: {figure(cpus)}")
PY
