#!/usr/bin/env python3
"""Measures a recording of one drill call sign in band noise: the noise in the
silence after the call sign, the ratio of the tone to it, and that the noise
has ended by the end of the recording.

usage: conditions_analyse.py RECORDING.wav
prints: gap_noise_rms tone_rms snr_db tail_rms   (levels in sample units)
"""
import math
import sys
import wave
from array import array

WINDOW = 160  # 20 ms at 8000 Hz


def main():
    with wave.open(sys.argv[1]) as f:
        rate = f.getframerate()
        samples = array("h", f.readframes(f.getnframes()))
    rms = []
    for start in range(0, len(samples) - WINDOW + 1, WINDOW):
        chunk = samples[start:start + WINDOW]
        rms.append(math.sqrt(sum(v * v for v in chunk) / WINDOW))
    sounding = [i for i, r in enumerate(rms) if r > 2.0]
    if not sounding:
        sys.exit("the recording is silent")
    first, last = sounding[0], sounding[-1]
    per_second = rate // WINDOW
    # The scenario waits 2 s for an answer after the call sign: the 1.2 s
    # ending 0.3 s before Stop's fade-out hold only noise.
    gap = rms[max(first, last - int(1.5 * per_second)):last - int(0.3 * per_second)]
    call = sorted(rms[first:last - 2 * per_second])
    gap_noise = math.sqrt(sum(r * r for r in gap) / len(gap))
    tone = call[int(len(call) * 0.9)]
    signal_power = max(tone * tone - gap_noise * gap_noise, 1e-9)
    snr = 10 * math.log10(signal_power / (gap_noise * gap_noise))
    tail = rms[-int(0.3 * per_second):]
    tail_rms = math.sqrt(sum(r * r for r in tail) / len(tail))
    print(f"{gap_noise:.1f} {tone:.1f} {snr:.1f} {tail_rms:.1f}")


if __name__ == "__main__":
    main()
