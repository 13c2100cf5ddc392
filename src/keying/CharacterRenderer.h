#pragma once

#include "AudioTypes.h"
#include "KeyingValues.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

// The outcome of rendering one character: the byte count to queue, or the
// message to show when the character cannot be rendered.
struct RenderResult {
    int bytes = 0;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Renders one character into PCM samples: tone bursts with shaped edges and the
// silences of its Morse pattern, then the closing gap.
class CharacterRenderer
{
public:
    explicit CharacterRenderer(const KeyingValues &keying) : m_keying(keying) {}

    // Writes from the first sample of buffer. ratioText is the dash-to-dot ratio
    // as typed, read at every dash. Never writes past the end of buffer: a
    // character that does not fit is refused with a message.
    RenderResult MakeCharWave(std::span<audio_sample> buffer, char16_t c, QStringView ratioText);

    // Appends n tone samples at position (nothing for n <= 0).
    void AddTone(std::span<audio_sample> buffer, int &position, int n);
    // Appends n zero samples at position (nothing for n <= 0).
    static void AddSilence(std::span<audio_sample> buffer, int &position, int n);

    // The per-sample phase step of the 30-bit accumulator for a frequency in Hz.
    static std::int32_t PhaseIncrement(int freq);

private:
    const KeyingValues &m_keying;
    std::int32_t angle = 0;  // phase accumulator; the low 30 bits are one period
};
