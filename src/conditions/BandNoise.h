#pragma once

#include <array>
#include <random>

// Receiver noise as heard through a CW filter 500 Hz wide: Gaussian white noise
// through a band-pass filter centred on the pitch, with edges at the pitch
// plus and minus 250 Hz and steep skirts (a twelfth-order Chebyshev filter with
// 0.5 dB of ripple in its passband: well over 90 % of the noise power lies
// between the edges, and one bandwidth away from the pitch the noise is more
// than 30 dB down). The noise is scaled so that its power at the filter's
// output is exactly the power asked for. Each sample is limited to four
// standard deviations, so that the loudest it can get is known when the mix
// is given its headroom.
class BandNoise
{
public:
    static constexpr double kBandwidthHz = 500.0;
    static constexpr double kPeakSigmas = 4.0;
    // Sections of the filter in cascade, each a second-order band-pass.
    static constexpr int kSections = 6;

    BandNoise(int centreHz, unsigned int seed);

    // Moves the filter's centre; the noise power stays as it was.
    void setCentre(int hz);
    int centre() const { return m_centre; }

    // The next sample, with a standard deviation of sigma.
    double next(double sigma);

private:
    struct Section {
        double b0 = 0, b2 = 0, a1 = 0, a2 = 0;  // b1 is 0 for a band-pass
        double z1 = 0, z2 = 0;                  // transposed direct form II state
        double run(double x);
    };

    void design();

    int m_centre = 0;
    std::array<Section, kSections> m_sections;
    double m_unitGain = 1.0;  // scales unit-variance input to unit-variance output
    std::mt19937 m_random;
    std::normal_distribution<double> m_gauss;
};
