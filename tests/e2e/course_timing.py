#!/usr/bin/env python3
"""Decodes a recording of Koch groups by timing alone, knowing nothing of the
program. Tones fall into dots and dashes at the largest jump of their sorted
lengths; the unit is half the difference of the two, which the shaped edges
cut off alike. A gap is measured from onset to onset less the tone's nominal
length (one unit or three), so it carries no edge either. Gaps fall into three
kinds (inside a character, between characters, between groups).

usage: course_timing.py RECORDED.wav PATTERN=CHARACTER...
Prints the text decoded ("?" for a pattern not given), the unit in ms and the
median gap between characters and between groups, in units.
"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "integration"))
from pulse_analyse import bursts, read_wav  # noqa: E402


def split_at_largest_jump(values):
    ordered = sorted(values)
    jumps = [(ordered[i + 1] / ordered[i], i) for i in range(len(ordered) - 1)]
    _, at = max(jumps)
    return (ordered[at] + ordered[at + 1]) / 2


def main():
    rate, samples = read_wav(sys.argv[1])
    table = dict(arg.split("=", 1) for arg in sys.argv[2:])
    tones = bursts(rate, samples)
    if len(tones) < 3:
        sys.exit("no Morse in the recording")
    lengths = [(end - start) * 1000 / rate for start, end in tones]
    dash_threshold = split_at_largest_jump(lengths)
    dots = [n for n in lengths if n < dash_threshold]
    dashes = [n for n in lengths if n >= dash_threshold]
    unit = (statistics.median(dashes) - statistics.median(dots)) / 2
    nominal = [3 if n >= dash_threshold else 1 for n in lengths]
    gaps = [(tones[i + 1][0] - tones[i][0]) * 1000 / rate / unit - nominal[i] for i in range(len(tones) - 1)]
    between = [g for g in gaps if g > 2]
    word_threshold = split_at_largest_jump(between)

    text, pattern = "", ""
    char_gaps, word_gaps = [], []
    for i, length in enumerate(lengths):
        pattern += "-" if length >= dash_threshold else "."
        gap = gaps[i] if i < len(gaps) else None
        if gap is None or gap > 2:
            text += table.get(pattern, "?")
            pattern = ""
        if gap is not None and gap > word_threshold:
            text += " "
            word_gaps.append(gap)
        elif gap is not None and gap > 2:
            char_gaps.append(gap)
    print(text)
    print(f"unit_ms {unit:.1f}")
    print(f"char_gap {statistics.median(char_gaps):.2f}")
    print(f"group_gap {statistics.median(word_gaps):.2f}")


if __name__ == "__main__":
    main()
