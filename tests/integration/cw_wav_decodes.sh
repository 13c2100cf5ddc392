#!/usr/bin/env bash
# keylark-cw writes a WAV that an independent decoder reads back.
set -euo pipefail
cw=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in sox multimon-ng python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for wpm in 15 25 40; do
    "$cw" --wpm "$wpm" --seed 1 -o "$work/cq.wav" "CQ DE JA1ABC"
    heard=$("$here/decode_cw.sh" "$work/cq.wav" "$wpm")
    echo "$wpm wpm: '$heard'"
    [[ "$heard" == "CQ DE JA1ABC" ]] || status=1
done
exit $status
