// The band noise as a CW filter shapes it: its power inside the 500 Hz
// passband, its skirts one bandwidth away, and its power exactly as asked,
// measured on the spectrum of a long run.
#include "conditions/BandNoise.h"

#include "keying/AudioTypes.h"

#include <QTest>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

constexpr int kFrame = 1024;  // 7.8 Hz bins

// In-place radix-2 FFT of a power-of-two length.
void fft(std::vector<std::complex<double>> &x)
{
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi / double(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1;
            for (std::size_t k = 0; k < length / 2; ++k, w *= step) {
                const std::complex<double> odd = w * x[start + k + length / 2];
                x[start + k + length / 2] = x[start + k] - odd;
                x[start + k] += odd;
            }
        }
    }
}

// The power spectrum of samples, averaged over Hann-windowed frames that
// overlap by half: kFrame / 2 + 1 bins from 0 Hz to half the sample rate.
std::vector<double> spectrum(const std::vector<double> &samples)
{
    std::vector<double> power(kFrame / 2 + 1, 0.0);
    std::vector<std::complex<double>> frame(kFrame);
    for (std::size_t start = 0; start + kFrame <= samples.size(); start += kFrame / 2) {
        for (int i = 0; i < kFrame; ++i)
            frame[std::size_t(i)] = samples[start + std::size_t(i)]
                * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFrame));
        fft(frame);
        for (std::size_t bin = 0; bin < power.size(); ++bin)
            power[bin] += std::norm(frame[bin]);
    }
    return power;
}

double binHz(std::size_t bin) { return double(bin) * kSampleRate / kFrame; }

// The sum over the bins from lowHz up to highHz; per bin when density.
double bandPower(const std::vector<double> &power, double lowHz, double highHz, bool density = false)
{
    double sum = 0;
    int bins = 0;
    for (std::size_t bin = 0; bin < power.size(); ++bin) {
        if (binHz(bin) >= lowHz && binHz(bin) < highHz) {
            sum += power[bin];
            ++bins;
        }
    }
    return density ? sum / bins : sum;
}

double decibels(double ratio) { return 10 * std::log10(ratio); }

} // namespace

class TestBandNoise : public QObject
{
    Q_OBJECT

private slots:
    void shapedAsACwFilter_data();
    void shapedAsACwFilter();
};

void TestBandNoise::shapedAsACwFilter_data()
{
    QTest::addColumn<int>("firstHz");
    QTest::addColumn<int>("centreHz");
    // The lowest, the usual and the highest pitch, and a filter moved while
    // it runs (the pitch of a random drill changes after every answer).
    QTest::newRow("400 Hz") << 400 << 400;
    QTest::newRow("700 Hz") << 700 << 700;
    QTest::newRow("1500 Hz") << 1500 << 1500;
    QTest::newRow("moved from 700 Hz to 1100 Hz") << 700 << 1100;
}

void TestBandNoise::shapedAsACwFilter()
{
    QFETCH(int, firstHz);
    QFETCH(int, centreHz);
    constexpr double sigma = 0.1;
    BandNoise noise(firstHz, 17);
    for (int i = 0; i < kSampleRate / 2; ++i)
        noise.next(sigma);
    noise.setCentre(centreHz);
    QCOMPARE(noise.centre(), centreHz);
    std::vector<double> samples(std::size_t(24 * kSampleRate));
    double sumOfSquares = 0;
    for (double &sample : samples) {
        sample = noise.next(sigma);
        sumOfSquares += sample * sample;
    }

    // The signal-to-noise ratio rests on this: the noise's power is the one asked for.
    const double variance = sumOfSquares / double(samples.size());
    QVERIFY2(std::abs(variance / (sigma * sigma) - 1) < 0.04, qPrintable(QString::number(variance)));

    const std::vector<double> power = spectrum(samples);
    const double c = centreHz;
    const double half = BandNoise::kBandwidthHz / 2;
    const double inside = bandPower(power, c - half, c + half) / bandPower(power, 0, kSampleRate);
    QVERIFY2(inside >= 0.90, qPrintable(QString::number(inside)));
    // One bandwidth away from the pitch, on either side where there is room,
    // the density is at least 30 dB below the passband's.
    const double above = decibels(bandPower(power, c + 2 * half, c + 3.2 * half, true)
                                  / bandPower(power, c, c + half, true));
    QVERIFY2(above <= -30, qPrintable(QString::number(above)));
    if (c - 3.2 * half > 0) {
        const double below = decibels(bandPower(power, c - 3.2 * half, c - 2 * half, true)
                                      / bandPower(power, c - half, c, true));
        QVERIFY2(below <= -30, qPrintable(QString::number(below)));
    }
}

QTEST_APPLESS_MAIN(TestBandNoise)
#include "tst_bandnoise.moc"
