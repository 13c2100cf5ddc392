#include "BandNoise.h"

#include "keying/AudioTypes.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

// The passband's ripple: the noise's density wavers by at most this much
// between the edges, which no ear notices, for skirts far steeper than a
// flat (Butterworth) filter's of the same order.
constexpr double kRippleDb = 0.5;

// The lowest edge the filter is given, for the lowest pitches: 400 Hz less
// half the bandwidth leaves 150 Hz.
constexpr double kLowestEdgeHz = 50.0;

// Long enough for the impulse response (its slowest poles die away by half
// in about 6 ms) to have fallen far below double precision's notice.
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

// The analog Chebyshev low-pass of kSections poles, turned into a band-pass
// between the edges (each low-pass pole gives a pair of band-pass poles, one
// of them in the upper half-plane), then into the sampled filter by the
// bilinear transform with the edges prewarped. Each section takes one pair of
// conjugate poles and the zeros at 0 Hz and at half the sample rate, with
// unit gain at the centre. The white noise's gain through the cascade is the
// sum of the squares of its impulse response, worked out by running an
// impulse through fresh copies of the sections.
void BandNoise::design()
{
    using Complex = std::complex<double>;
    const double fs = kSampleRate;
    const double lowHz = std::max(kLowestEdgeHz, m_centre - kBandwidthHz / 2);
    const double highHz = std::min(0.45 * fs, m_centre + kBandwidthHz / 2);
    const double low = 2.0 * fs * std::tan(std::numbers::pi * lowHz / fs);
    const double high = 2.0 * fs * std::tan(std::numbers::pi * highHz / fs);
    const double width = high - low;
    const double centreSquared = low * high;

    const double epsilon = std::sqrt(std::pow(10.0, kRippleDb / 10.0) - 1.0);
    const double mu = std::asinh(1.0 / epsilon) / kSections;
    const Complex centreZ = std::polar(1.0, 2.0 * std::numbers::pi * m_centre / fs);
    for (int k = 0; k < kSections; ++k) {
        const double theta = std::numbers::pi * (2 * k + 1) / (2.0 * kSections);
        const Complex lowPass(-std::sinh(mu) * std::sin(theta), std::cosh(mu) * std::cos(theta));
        const Complex half = lowPass * width / 2.0;
        const Complex root = std::sqrt(half * half - centreSquared);
        const Complex pole = (half + root).imag() > 0 ? half + root : half - root;
        const Complex z = (2.0 * fs + pole) / (2.0 * fs - pole);
        Section &section = m_sections[std::size_t(k)];
        section.a1 = -2.0 * z.real();
        section.a2 = std::norm(z);
        // (1 - z^-2) / (1 + a1 z^-1 + a2 z^-2) at the centre, made 1.
        const Complex inverse = 1.0 / centreZ;
        const Complex response = (1.0 - inverse * inverse)
            / (1.0 + section.a1 * inverse + section.a2 * inverse * inverse);
        section.b0 = 1.0 / std::abs(response);
        section.b2 = -section.b0;
    }

    std::array<Section, kSections> fresh = m_sections;
    for (Section &section : fresh)
        section.z1 = section.z2 = 0.0;
    double energy = 0.0;
    for (int i = 0; i < kImpulseSamples; ++i) {
        double h = i == 0 ? 1.0 : 0.0;
        for (Section &section : fresh)
            h = section.run(h);
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
