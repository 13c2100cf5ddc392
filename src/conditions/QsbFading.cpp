#include "QsbFading.h"

#include "keying/AudioTypes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double kShortestPeriodSeconds = 3.0;
constexpr double kLongestPeriodSeconds = 15.0;

// The swings rarely all peak together; spreading their sum a little and
// clipping it lets the signal reach both full strength and the deepest fade
// every few periods. The clip only bends the gain's slope, it never steps.
constexpr double kSpread = 1.6;

} // namespace

QsbFading::QsbFading(int depthDb, unsigned int seed) : m_depthDb(depthDb)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> period(kShortestPeriodSeconds * kSampleRate,
                                                  kLongestPeriodSeconds * kSampleRate);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (Swing &swing : m_swings) {
        swing.period = std::int64_t(period(random));
        swing.offset = std::int64_t(unit(random) * double(swing.period));
        swing.weight = 0.5 + unit(random);
        m_weightSum += swing.weight;
    }
}

double QsbFading::gainAt(std::int64_t position) const
{
    double sum = 0.0;
    for (const Swing &swing : m_swings) {
        // The phase is taken from the position modulo the period, in whole
        // samples, so that it is exact however long the stream runs.
        const std::int64_t into = (position + swing.offset) % swing.period;
        sum += swing.weight * std::cos(2.0 * std::numbers::pi * double(into) / double(swing.period));
    }
    const double swing = std::clamp(kSpread * sum / m_weightSum, -1.0, 1.0);  // +1 full, -1 deepest
    const double fadeDb = m_depthDb * (1.0 - swing) / 2.0;
    return std::pow(10.0, -fadeDb / 20.0);
}
