#pragma once

#include <array>
#include <cstdint>

// One PCM sample: signed 16-bit, 8000 samples per second, mono.
using audio_sample = std::int16_t;

inline constexpr int kSampleRate = 8000;

// One period of the tone at the current volume.
using TSineTable = std::array<audio_sample, 32768>;
using PSineTable = TSineTable *;

// The longest character the window's controls allow: the 11-symbol ぴ at
// 10 wpm, ratio 10 and the widest spacing is 96 units of 960 samples.
inline constexpr int kMaxCharUnits = 96;
inline constexpr int kMaxDotSamples = 960;
inline constexpr int kBufferSamples = kMaxCharUnits * kMaxDotSamples;
