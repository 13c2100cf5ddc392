#pragma once

#include "AudioTypes.h"

// The widest character spacing the spacing list offers: ten standard gaps.
inline constexpr int kMaxSpaceExtra = 27;

// The values the renderer reads for every character. The settings handlers of
// the window rewrite them, so a change applies from the next character.
struct KeyingValues {
    int dot_samples = 384;   // one Morse unit in samples, 160..960
    int space_extra = 0;     // extra units after every character, 0..kMaxSpaceExtra
    int freq = 700;          // tone frequency in Hz, a multiple of 50
    long double amplitude = 0.0L;  // peak level as a fraction of full scale
    PSineTable sine_table = nullptr;
};

// One unit at w words per minute: 9600 samples are 1.2 s, a unit at 1 wpm.
int DotSamplesForSpeed(int wpm);

// The pitch spinner's position rounded to the nearest 50 Hz, halves going up.
int FreqForPitchPosition(int position);

// The extra units of the character-spacing entry at index; indexes 7..13 stand
// for 4..10 standard gaps. Any other index keeps the current value.
int SpaceExtraForIndex(int index, int current);

// Rebuilds the sine table for track-bar position volume (0..8) with the level
// divided by divisor (8..15); returns the amplitude used.
long double MakeSineTable(TSineTable &table, int volume, int divisor);

// As above with the divisor drawn anew: 8 + RandomInt(8).
long double MakeSineTable(TSineTable &table, int volume);
