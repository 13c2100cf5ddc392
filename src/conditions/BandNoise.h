#pragma once

#include <random>

// Receiver noise as heard through a CW filter about 500 Hz wide: Gaussian white
// noise through two cascaded band-pass sections centred on the pitch, scaled so
// that its power at the filter's output is exactly the power asked for. Each
// sample is limited to four standard deviations, so that the loudest it can
// get is known when the mix is given its headroom.
class BandNoise
{
public:
    static constexpr double kBandwidthHz = 500.0;
    static constexpr double kPeakSigmas = 4.0;

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
    Section m_sections[2];
    double m_unitGain = 1.0;  // scales unit-variance input to unit-variance output
    std::mt19937 m_random;
    std::normal_distribution<double> m_gauss;
};
