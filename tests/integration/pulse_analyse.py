#!/usr/bin/env python3
"""Compares a recording of played Morse with the rendering it came from.

Finds the tone bursts of both WAV files (8000 Hz mono 16-bit) by their
envelope and compares them in order: every tone must last as rendered and not
be shortened, every gap between two tones must last as rendered. With the
event log of the player it also checks that each character's on-screen events
(started, finished) come when its sound does, and counts the extra silence per
character boundary.

With --tail the recording holds only the end of the rendering, as when it
was started again after the sink had been suspended: its first tone may be cut
and is left out, as is everything up to a pause longer than any rendered gap;
the tones left are compared with the last ones of the rendering.

usage: pulse_analyse.py EXPECTED.wav RECORDED.wav [--events LOG]
                        [--tolerance-ms 3] [--sync-ms 30] [--summary]
                        [--tail]
Exit status 0 when everything is within tolerance, 1 otherwise.
"""
import argparse
import array
import sys
import wave

# A burst is where the signal exceeds this share of the file's own peak, so
# both files are cut at the same point of the shaped edges whatever their level.
THRESHOLD = 0.3
# Zero crossings inside a tone dip below the threshold; gaps between tones are
# at least one unit (20 ms at 60 wpm).
MERGE_MS = 3.0


def read_wav(path):
    with wave.open(path, "rb") as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2:
            sys.exit(f"{path}: not mono 16-bit")
        rate = w.getframerate()
        samples = array.array("h")
        samples.frombytes(w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    return rate, samples


def bursts(rate, samples):
    """(start, end) sample pairs, end exclusive."""
    peak = max((abs(s) for s in samples), default=0)
    if peak < 100:
        return []
    threshold = THRESHOLD * peak
    merge = int(rate * MERGE_MS / 1000)
    found = []
    start = last = None
    for i, s in enumerate(samples):
        if abs(s) > threshold:
            if start is None:
                start = i
            elif i - last > merge:
                found.append((start, last + 1))
                start = i
            last = i
    if start is not None:
        found.append((start, last + 1))
    return found


def read_events(path):
    events = []
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 4 and parts[0] in ("started", "finished"):
                events.append((parts[0], int(parts[1]), int(parts[2]), float(parts[3])))
    return events


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("expected")
    parser.add_argument("recorded")
    parser.add_argument("--events")
    parser.add_argument("--tolerance-ms", type=float, default=3.0)
    parser.add_argument("--sync-ms", type=float, default=30.0)
    parser.add_argument("--tail", action="store_true")
    parser.add_argument("--summary", action="store_true",
                        help="print only: characters, mean and worst extra gap in ms, worst "
                             "offset of an event from its sound in ms or - without events "
                             "(the exit status still tells)")
    args = parser.parse_args()

    rate, expected = read_wav(args.expected)
    rec_rate, recorded = read_wav(args.recorded)
    if rate != rec_rate:
        sys.exit(f"sample rates differ: {rate} and {rec_rate}")
    ms = 1000.0 / rate
    want = bursts(rate, expected)
    got = bursts(rate, recorded)
    failures = []
    if not want:
        sys.exit("the expected rendering holds no tone")
    if args.tail and args.events:
        sys.exit("--tail compares the sound only")
    if args.tail:
        rendered_gaps = [want[i + 1][0] - want[i][1] for i in range(len(want) - 1)]
        recorded_gaps = [got[i + 1][0] - got[i][1] for i in range(len(got) - 1)]
        first = 1
        if recorded_gaps and max(recorded_gaps) > max(rendered_gaps, default=0) + rate // 10:
            longest = max(range(len(recorded_gaps)), key=recorded_gaps.__getitem__)
            print(f"pause of {recorded_gaps[longest] * ms:.0f} ms after recorded tone {longest + 1}")
            first = longest + 2
        got = got[first:]
        want = want[len(want) - len(got):] if got else []
        if len(got) < 10:
            failures.append(f"only {len(got)} tones to compare")
    if len(got) != len(want):
        failures.append(f"{len(got)} tones recorded, {len(want)} rendered")

    worst_tone = worst_gap = 0.0
    gap_extra = []
    for i, ((ws, we), (gs, ge)) in enumerate(zip(want, got)):
        diff = ((ge - gs) - (we - ws)) * ms
        if abs(diff) > abs(worst_tone):
            worst_tone = diff
        # Resampling by the server may move an edge by a sample; more than a
        # millisecond less is a tone cut short.
        if abs(diff) > args.tolerance_ms or diff < -1.0:
            failures.append(f"tone {i + 1}: {(ge - gs) * ms:.1f} ms, rendered {(we - ws) * ms:.1f} ms")
        if i + 1 < min(len(want), len(got)):
            want_gap = want[i + 1][0] - we
            got_gap = got[i + 1][0] - ge
            extra = (got_gap - want_gap) * ms
            gap_extra.append((we, want[i + 1][0], extra))
            if abs(extra) > abs(worst_gap):
                worst_gap = extra
            if abs(extra) > args.tolerance_ms:
                failures.append(f"gap after tone {i + 1}: {got_gap * ms:.1f} ms, "
                                f"rendered {want_gap * ms:.1f} ms")

    characters = 0
    mean_extra = sum(e for _, _, e in gap_extra) / len(gap_extra) if gap_extra else 0.0
    worst_sync = None
    if args.events:
        events = read_events(args.events)
        if not events:
            failures.append("no events in the player's log")
        # Character boundaries of the rendering, in samples; the extra silence
        # of a gap is shared by the boundaries it holds.
        boundaries = sorted({offset for kind, _, offset, _ in events if kind == "finished"})
        crossing = [(sum(1 for b in boundaries if s <= b <= e), extra) for s, e, extra in gap_extra]
        characters = sum(n for n, _ in crossing)
        if characters:
            mean_extra = sum(extra for n, extra in crossing if n) / characters
        worst_sync = 0.0
        for kind, tag, offset, at in events:
            late = at - offset * ms
            if abs(late) > abs(worst_sync):
                worst_sync = late
            if abs(late) > args.sync_ms:
                failures.append(f"{kind} {tag}: at {at:.1f} ms, sound at {offset * ms:.1f} ms")
        if not args.summary:
            print(f"events: {len(events)}, worst offset from the sound {worst_sync:+.1f} ms")

    if args.summary:
        sync = "-" if worst_sync is None else f"{worst_sync:+.1f}"
        print(f"{characters} {mean_extra:.2f} {worst_gap:.2f} {sync}")
    else:
        print(f"tones: {len(got)} recorded, {len(want)} rendered; worst tone difference "
              f"{worst_tone:+.2f} ms, worst gap difference {worst_gap:+.2f} ms, "
              f"mean extra per character {mean_extra:+.2f} ms")
        for failure in failures:
            print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
