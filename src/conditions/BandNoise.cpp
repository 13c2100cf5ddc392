#include "BandNoise.h"

#include "keying/AudioTypes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Two equal sections in cascade are narrower than either: for a narrow
// band-pass the half-power width shrinks by sqrt(sqrt(2) - 1).
const double kSectionBandwidthHz = BandNoise::kBandwidthHz / std::sqrt(std::sqrt(2.0) - 1.0);

// Long enough for the impulse response of the widest band (the lowest Q, at
// the lowest pitch) to have died away far below double precision's notice.
constexpr int kImpulseSamples = 4096;

} // namespace

double BandNoise::Section::run(double x)
{
    const double y = b0 * x + z1;
    z1 = -a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

BandNoise::BandNoise(int centreHz, unsigned int seed) : m_random(seed)
{
    setCentre(centreHz);
}

void BandNoise::setCentre(int hz)
{
    if (hz == m_centre)
        return;
    m_centre = hz;
    design();
}

// A band-pass section with 0 dB at its centre; the white noise's gain through
// both is the sum of the squares of their joint impulse response, worked out
// by running an impulse through fresh copies of them.
void BandNoise::design()
{
    const double w0 = 2.0 * std::numbers::pi * m_centre / kSampleRate;
    const double q = std::max(0.3, double(m_centre) / kSectionBandwidthHz);
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    Section shape;
    shape.b0 = alpha / a0;
    shape.b2 = -alpha / a0;
    shape.a1 = -2.0 * std::cos(w0) / a0;
    shape.a2 = (1.0 - alpha) / a0;
    for (Section &section : m_sections) {
        section.b0 = shape.b0;
        section.b2 = shape.b2;
        section.a1 = shape.a1;
        section.a2 = shape.a2;
    }

    Section first = shape;
    Section second = shape;
    double energy = 0.0;
    for (int i = 0; i < kImpulseSamples; ++i) {
        const double h = second.run(first.run(i == 0 ? 1.0 : 0.0));
        energy += h * h;
    }
    m_unitGain = 1.0 / std::sqrt(energy);
}

double BandNoise::next(double sigma)
{
    double y = m_gauss(m_random);
    for (Section &section : m_sections)
        y = section.run(y);
    const double limit = kPeakSigmas * sigma;
    return std::clamp(y * m_unitGain * sigma, -limit, limit);
}
