#include "CharacterRenderer.h"

#include "RatioCheck.h"
#include "morse/MorsePattern.h"

#include <cmath>
#include <limits>

namespace {

constexpr std::int32_t kPhaseMask = (1 << 30) - 1;
constexpr int kEdgeSamples = 32;

// Attack and release: each step keeps 8/9 of the level, truncating.
int shape(int v, int steps)
{
    for (int s = 0; s < steps; ++s)
        v = v * 8 / 9;
    return v;
}

} // namespace

std::int32_t CharacterRenderer::PhaseIncrement(int freq)
{
    const long double step = static_cast<long double>(freq) / 8000 * (1 << 30);
    return static_cast<std::int32_t>(std::llround(step));
}

void CharacterRenderer::AddTone(std::span<audio_sample> buffer, int &position, int n)
{
    angle = 0;
    const std::int32_t increment = PhaseIncrement(m_keying.freq);
    const TSineTable &table = *m_keying.sine_table;
    for (int i = 1; i <= n; ++i) {
        int v = table[static_cast<std::size_t>(angle >> 15)];
        if (i < kEdgeSamples)
            v = shape(v, 33 - i);
        if (i > n - kEdgeSamples)
            v = shape(v, i - n + 33);
        buffer[static_cast<std::size_t>(position++)] = static_cast<audio_sample>(v);
        angle = (angle + increment) & kPhaseMask;
    }
}

void CharacterRenderer::AddSilence(std::span<audio_sample> buffer, int &position, int n)
{
    for (int i = 0; i < n; ++i)
        buffer[static_cast<std::size_t>(position++)] = 0;
}

RenderResult CharacterRenderer::MakeCharWave(std::span<audio_sample> buffer, char16_t c,
                                             QStringView ratioText)
{
    const MorsePattern pattern = LookupMorsePattern(c);
    const std::int64_t u = m_keying.dot_samples;
    const std::int64_t capacity = static_cast<std::int64_t>(buffer.size());
    int position = 0;
    bool fits = true;

    // Lengths are worked out in 64 bits: a typed ratio such as 2147483647 times
    // a unit overflows 32 bits, and nothing may be written past the buffer.
    auto room = [&](std::int64_t n) {
        if (n > 0 && position + n > capacity)
            fits = false;
        return fits;
    };
    auto tone = [&](std::int64_t n) {
        if (room(n) && n > 0)
            AddTone(buffer, position, static_cast<int>(n));
    };
    auto silence = [&](std::int64_t n) {
        if (room(n) && n > 0)
            AddSilence(buffer, position, static_cast<int>(n));
    };

    for (const char symbol : pattern) {
        if (symbol == '-') {
            bool isInteger = false;
            const int ratio = ratioText.toInt(&isInteger);
            if (!isInteger)
                return {0, ratioNotIntegerText(ratioText)};
            tone(ratio * u);
            silence(u);
        } else if (symbol == '.') {
            tone(u);
            silence(u);
        } else {
            silence(2 * u);
        }
        if (!fits)
            return {0, ratioTooLongText(ratioText)};
    }
    silence((m_keying.space_extra + 2) * u);
    if (!fits)
        return {0, ratioTooLongText(ratioText)};
    return {2 * position, QString()};
}
