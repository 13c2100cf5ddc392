#!/usr/bin/env bash
# Soak: random-file mode of the real window over ten generated text files for
# a while, heard through a private PulseAudio null sink. Reports resident
# memory and open file descriptors at the start and the end, checks that every
# file was heard in full (the characters the sound output reported heard per
# file against the file's text) and decodes the whole recording to compare it
# with the files in the order they were picked.
# usage: bench/soak.sh [minutes (10)] [build-dir (build)]
set -uo pipefail
minutes=${1:-10}
build=${2:-build}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
driver=
for candidate in "$build/tests/e2e_driver" "$build/e2e_driver"; do
    [[ -x "$candidate" ]] && driver=$candidate && break
done
[[ -n "$driver" ]] || { echo "build first: e2e_driver not found in $build" >&2; exit 1; }
source "$source_dir/tests/integration/pulse_server.sh"
pulse_tools_present multimon-ng || exit 1

work=$(mktemp -d)
driver_pid=
cleanup() {
    [[ -n "$driver_pid" ]] && kill "$driver_pid" 2>/dev/null
    pulse_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Ten files of 6 to 16 words: a file takes 15 to 45 s at 25 wpm. Every line
# ends in a space, as line breaks are removed before sending.
mkdir "$work/texts"
python3 - "$work/texts" <<'PY'
import random, sys
random.seed(11)
words = ("CQ DE JA1ABC JH0OBN UR RST 599 5NN TU QTH TOKYO NAME TARO RIG 100W "
         "ANT DIPOLE WX FINE HR 73 GL BK QSL PSE K").split()
for n in range(10):
    chosen = [random.choice(words) for _ in range(random.randint(6, 16))]
    lines = [" ".join(chosen[i:i + 5]) + " " for i in range(0, len(chosen), 5)]
    with open("%s/text%02d.txt" % (sys.argv[1], n), "w") as f:
        f.write("\n".join(lines) + "\n")
PY

pulse_start || exit 1
pulse_record_start "$work/soak.wav"
"$driver" soak --folder "$work/texts" --seconds $((minutes * 60)) >"$work/soak.out" 2>"$work/soak.err" &
driver_pid=$!
sleep 5
rss_start=$(ps -o rss= -p "$driver_pid" | tr -d ' ')
fds_start=$(ls /proc/"$driver_pid"/fd | wc -l)
while kill -0 "$driver_pid" 2>/dev/null; do
    rss_end=$(ps -o rss= -p "$driver_pid" | tr -d ' ')
    fds_end=$(ls /proc/"$driver_pid"/fd 2>/dev/null | wc -l)
    sleep 5
done
wait "$driver_pid"
code=$?
driver_pid=
pulse_record_stop

cat "$work/soak.out"
echo "ps: rss_kb start=$rss_start end=$rss_end  fds start=$fds_start end=$fds_end"
decoded=$("$source_dir/tests/integration/decode_cw.sh" "$work/soak.wav" 25)
order=$(sed -n 's/^order: //p' "$work/soak.out")
python3 - "$work/texts" "$decoded" $order <<'PY'
import difflib, sys
folder, decoded, order = sys.argv[1], sys.argv[2], sys.argv[3:]
expected = []
for name in order:
    expected += open("%s/%s" % (folder, name)).read().replace("\n", "").split()
heard = decoded.split()
matcher = difflib.SequenceMatcher(None, expected, heard, autojunk=False)
same = sum(block.size for block in matcher.get_matching_blocks())
chars = lambda words: sum(len(w) for w in words)
print("recording: %d words decoded, %d expected, %d in the same order; %d characters decoded, %d expected"
      % (len(heard), len(expected), same, chars(heard), chars(expected)))
PY
echo "driver exit code: $code"
exit "$code"
