#pragma once

#include <array>
#include <cstdint>

// Slow fading of the wanted signal: a gain between 1 and depthDb below it,
// drawn from a seed as a sum of a few slow swings of different periods (a few
// seconds to a quarter of a minute). The gain is a function of the sample's
// position in the stream alone, so it runs on smoothly however the stream is
// cut into blocks, and it changes far too slowly to dent a tone's edges.
class QsbFading
{
public:
    QsbFading(int depthDb, unsigned int seed);

    double gainAt(std::int64_t position) const;

private:
    struct Swing {
        std::int64_t period = 1;   // samples
        std::int64_t offset = 0;   // samples into the period at position 0
        double weight = 0;
    };
    std::array<Swing, 3> m_swings;
    double m_depthDb = 0;
    double m_weightSum = 0;
};
