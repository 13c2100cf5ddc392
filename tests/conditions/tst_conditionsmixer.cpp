#include "conditions/ConditionsMixer.h"

#include "WantedStream.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

Q_DECLARE_METATYPE(BandConditions)

namespace {

ConditionsMixer::Wanted wantedOf(const WantedStream &stream)
{
    return {stream.keying.freq, stream.keying.dot_samples, double(stream.keying.amplitude)};
}

// Runs samples through a mixer in blocks of the given sizes, taken in turn.
std::vector<audio_sample> mixed(ConditionsMixer &mixer, std::vector<audio_sample> samples,
                                const std::vector<int> &blocks = {1024})
{
    std::size_t done = 0;
    for (std::size_t b = 0; done < samples.size(); ++b) {
        const int n = int(std::min<std::size_t>(std::size_t(blocks[b % blocks.size()]), samples.size() - done));
        mixer.process(samples.data() + done, n);
        done += std::size_t(n);
    }
    return samples;
}

std::vector<audio_sample> mixed(const BandConditions &conditions, const WantedStream &stream,
                                const std::vector<audio_sample> &samples, quint32 seed,
                                const std::vector<int> &blocks = {1024})
{
    ConditionsMixer mixer(conditions, wantedOf(stream), {QStringLiteral("JA1ZZZ"), QStringLiteral("K7AB")}, seed);
    return mixed(mixer, samples, blocks);
}

double meanSquare(const std::vector<double> &values)
{
    double sum = 0;
    for (const double v : values)
        sum += v * v;
    return sum / double(values.size());
}

// The power of samples near hz, from a plain DFT of 800-sample (10 Hz) frames,
// averaged over the frames and the bins on either side.
double powerNear(const std::vector<audio_sample> &samples, int hz)
{
    constexpr int frame = 800;
    double total = 0;
    int terms = 0;
    for (std::size_t start = 0; start + frame <= samples.size(); start += frame) {
        for (int bin = hz / 10 - 1; bin <= hz / 10 + 1; ++bin) {
            double re = 0, im = 0;
            for (int i = 0; i < frame; ++i) {
                const double angle = 2 * std::numbers::pi * bin * i / frame;
                re += samples[start + std::size_t(i)] * std::cos(angle);
                im += samples[start + std::size_t(i)] * std::sin(angle);
            }
            total += re * re + im * im;
            ++terms;
        }
    }
    return total / terms;
}

BandConditions noiseAt(int snrDb)
{
    BandConditions c;
    c.noise = true;
    c.snrDb = snrDb;
    return c;
}

} // namespace

class TestConditionsMixer : public QObject
{
    Q_OBJECT

private slots:
    void allOffLeavesEverySample()
    {
        const WantedStream stream(QStringLiteral("CQ DE JA1ABC"), 700, 384, 8, 8);
        std::vector<audio_sample> extremes{-32768, 32767, 0, 1, -1};
        std::vector<audio_sample> input = stream.samples;
        input.insert(input.end(), extremes.begin(), extremes.end());
        QVERIFY(mixed(BandConditions{}, stream, input, 1, {7, 333, 1}) == input);
    }

    // The signal part of the mix is the mix less the noise alone with the same
    // seed (mixing is additive); its tone power against the noise's power is
    // the ratio asked for, and the noise fills the gaps as it fills the tones.
    void noiseHoldsItsRatio_data()
    {
        QTest::addColumn<int>("snrDb");
        QTest::addColumn<int>("volume");
        for (const int snr : {-10, 0, 10, 20, 30})
            QTest::addRow("%d dB", snr) << snr << 4;
        QTest::addRow("10 dB at full volume") << 10 << 8;
    }
    void noiseHoldsItsRatio()
    {
        QFETCH(int, snrDb);
        QFETCH(int, volume);
        const int unit = 384;
        const WantedStream stream(QString(200, u'T'), 700, unit, volume, 8);
        const std::vector<audio_sample> mix = mixed(noiseAt(snrDb), stream, stream.samples, 5);
        const std::vector<audio_sample> noise =
            mixed(noiseAt(snrDb), stream, std::vector<audio_sample>(stream.samples.size()), 5);

        // Every T is three units of tone and three of silence; the edges are
        // left out of the tone's power.
        std::vector<double> tone, gap, all;
        for (std::size_t i = 0; i < mix.size(); ++i) {
            const int into = int(i % std::size_t(6 * unit));
            if (into >= 32 && into < 3 * unit - 32)
                tone.push_back(mix[i] - noise[i]);
            if (into >= 3 * unit)
                gap.push_back(mix[i]);
            all.push_back(noise[i]);
        }
        const double measured = 10 * std::log10(meanSquare(tone) / meanSquare(all));
        QVERIFY2(std::abs(measured - snrDb) < 1.0, qPrintable(QString::number(measured)));
        const double gapDb = 10 * std::log10(meanSquare(gap) / meanSquare(all));
        QVERIFY2(std::abs(gapDb) < 0.5, qPrintable(QString::number(gapDb)));
    }

    // The noise is loudest at the pitch, whichever side it is looked at from,
    // and follows the pitch when it moves.
    void noiseBandIsCentredOnThePitch_data()
    {
        QTest::addColumn<int>("pitch");
        for (const int hz : {400, 700, 1000, 1500})
            QTest::addRow("%d Hz", hz) << hz;
    }
    void noiseBandIsCentredOnThePitch()
    {
        QFETCH(int, pitch);
        const WantedStream stream(QString(), 700, 384);
        ConditionsMixer mixer(noiseAt(0), wantedOf(stream), {}, 9);
        mixer.setPitch(pitch);
        const std::vector<audio_sample> noise = mixed(mixer, std::vector<audio_sample>(80 * 800));
        const double centre = powerNear(noise, pitch);
        QVERIFY(centre > 1.5 * powerNear(noise, pitch - 300));
        QVERIFY(centre > 1.5 * powerNear(noise, pitch + 300));
    }

    // Noise, fading and second station are functions of the position in the
    // stream, not of the blocks it comes in.
    void sameWhateverTheBlocks_data()
    {
        QTest::addColumn<BandConditions>("conditions");
        BandConditions qsb;
        qsb.qsb = true;
        BandConditions all = noiseAt(0);
        all.qsb = true;
        all.qrm = true;
        QTest::addRow("fading") << qsb;
        QTest::addRow("all three") << all;
    }
    void sameWhateverTheBlocks()
    {
        QFETCH(BandConditions, conditions);
        const WantedStream stream(QStringLiteral("CQ TEST DE JA1ABC JA1ABC K ").repeated(8), 700, 384);
        const std::vector<audio_sample> whole = mixed(conditions, stream, stream.samples, 3, {int(stream.samples.size())});
        QVERIFY(whole != stream.samples);
        QVERIFY(mixed(conditions, stream, stream.samples, 3, {1, 7, 333, 4097, 160}) == whole);

        // A copy taken anywhere goes on exactly as the original would, in
        // blocks of its own, and mixing with it leaves the original as it was.
        for (const std::size_t cut : {std::size_t(8000), std::size_t(30001), stream.samples.size() / 2}) {
            ConditionsMixer original(conditions, wantedOf(stream), {QStringLiteral("JA1ZZZ"), QStringLiteral("K7AB")}, 3);
            std::vector<audio_sample> head(stream.samples.begin(), stream.samples.begin() + std::ptrdiff_t(cut));
            original.process(head.data(), int(head.size()));
            const std::unique_ptr<ConditionsMixer> copy = original.clone();
            const std::vector<audio_sample> tail(stream.samples.begin() + std::ptrdiff_t(cut), stream.samples.end());
            const std::vector<audio_sample> expected(whole.begin() + std::ptrdiff_t(cut), whole.end());
            QVERIFY2(mixed(*copy, tail, {5, 999, 64}) == expected, qPrintable(QString::number(cut)));
            QVERIFY2(mixed(original, tail) == expected, qPrintable(QString::number(cut)));
        }
    }

    // The tone peaks, against the clean ones, swing between full strength
    // and the depth asked for.
    void fadingReachesItsDepth_data()
    {
        QTest::addColumn<int>("depthDb");
        for (const int depth : {3, 10, 30})
            QTest::addRow("%d dB", depth) << depth;
    }
    void fadingReachesItsDepth()
    {
        QFETCH(int, depthDb);
        BandConditions conditions;
        conditions.qsb = true;
        conditions.qsbDepthDb = depthDb;
        const WantedStream stream(QString(600, u'E'), 700, 160, 8, 8);  // two minutes
        const std::vector<audio_sample> mix = mixed(conditions, stream, stream.samples, 11);
        double low = 1, high = 0;
        for (std::size_t i = 0; i < mix.size(); ++i) {
            if (stream.samples[i] > 20000) {
                low = std::min(low, double(mix[i]) / stream.samples[i]);
                high = std::max(high, double(mix[i]) / stream.samples[i]);
            }
        }
        QVERIFY2(std::abs(20 * std::log10(low) + depthDb) < 1.0, qPrintable(QString::number(low)));
        QVERIFY2(high > 0.99 && high <= 1.0, qPrintable(QString::number(high)));
    }

    // The fading gain across an edge is flat enough that the edge's envelope,
    // which grows by 9/8 a sample, still only grows (or, at the end, falls).
    void edgesStayMonotone_data()
    {
        QTest::addColumn<int>("pitch");
        QTest::addRow("400 Hz") << 400;
        QTest::addRow("1500 Hz") << 1500;
    }
    void edgesStayMonotone()
    {
        QFETCH(int, pitch);
        BandConditions conditions;
        conditions.qsb = true;
        conditions.qsbDepthDb = kMaxQsbDepthDb;
        const int unit = 160;
        const WantedStream stream(QString(300, u'E'), pitch, unit, 8, 8);
        const std::vector<audio_sample> mix = mixed(conditions, stream, stream.samples, 2, {97});
        int edges = 0;
        // Each E: a tone of one unit, then three of silence; sample i (1-based)
        // of the tone is shaped by 33 - i steps of 8/9 at its start (i < 32)
        // and by i - unit + 33 at its end (i > unit - 32). Its envelope is
        // that shape times the gain the mix applied, measured as mixed over
        // clean; rounding to whole samples may blur it by half a part in 300.
        for (std::size_t start = 0; start < mix.size(); start += 4 * unit) {
            for (const bool attack : {true, false}) {
                double previous = 0;
                for (int i = attack ? 1 : unit - 31; i <= (attack ? 31 : unit); ++i) {
                    const audio_sample clean = stream.samples[start + std::size_t(i - 1)];
                    if (std::abs(clean) < 300)
                        continue;
                    const int steps = attack ? 33 - i : i - unit + 33;
                    const double envelope =
                        double(mix[start + std::size_t(i - 1)]) / clean * std::pow(8.0 / 9, steps);
                    if (previous > 0)
                        QVERIFY2(attack ? envelope > previous * 0.995 : envelope < previous * 1.005,
                                 qPrintable(QStringLiteral("sample %1 of the tone at %2").arg(i).arg(start)));
                    previous = envelope;
                }
                ++edges;
            }
        }
        QCOMPARE(edges, 600);
    }

    // At the loudest volume, with the lowest ratio, the deepest fading and a
    // second station, or the second station alone over a full-scale signal,
    // nothing reaches full scale.
    void neverClips_data()
    {
        QTest::addColumn<BandConditions>("conditions");
        BandConditions worst = noiseAt(kMinSnrDb);
        worst.qsb = true;
        worst.qsbDepthDb = kMaxQsbDepthDb;
        worst.qrm = true;
        BandConditions qrm;
        qrm.qrm = true;
        QTest::addRow("everything at its worst") << worst;
        QTest::addRow("second station alone") << qrm;
    }
    void neverClips()
    {
        QFETCH(BandConditions, conditions);
        const WantedStream stream(QStringLiteral("CQ CQ DE JA1ABC JA1ABC K ").repeated(30), 1000, 160, 8, 8);
        for (const quint32 seed : {1u, 2u, 3u}) {
            const std::vector<audio_sample> mix = mixed(conditions, stream, stream.samples, seed);
            const auto loudest = std::max_element(mix.begin(), mix.end(), [](int a, int b) {
                return std::abs(a) < std::abs(b);
            });
            QVERIFY2(std::abs(*loudest) < 32767, qPrintable(QString::number(*loudest)));
        }
    }

    // Raising the level glides (no step in the gain); while it glides, a sum
    // beyond full scale saturates rather than wrapping round.
    void levelChangeGlides()
    {
        const WantedStream stream(QString(), 700, 384);
        const int n = 2000;
        const double from = 0.05;
        ConditionsMixer zero(noiseAt(kMinSnrDb), {700, 384, from}, {}, 4);
        ConditionsMixer full(noiseAt(kMinSnrDb), {700, 384, from}, {}, 4);
        mixed(zero, std::vector<audio_sample>(n));
        mixed(full, std::vector<audio_sample>(n, 32767));
        zero.setSignalLevel(1.0);
        full.setSignalLevel(1.0);
        const std::vector<audio_sample> noise = mixed(zero, std::vector<audio_sample>(n));
        const std::vector<audio_sample> sum = mixed(full, std::vector<audio_sample>(n, 32767));
        double gain = 1.0;
        int glideEnd = -1;
        bool saturated = false;
        for (int i = 0; i < n; ++i) {
            if (noise[i] >= 0)
                QVERIFY2(sum[i] > 0, qPrintable(QStringLiteral("sample %1 wrapped round: %2").arg(i).arg(sum[i])));
            saturated = saturated || sum[i] == 32767;
            if (sum[i] == 32767)
                continue;
            const double now = double(sum[i] - noise[i]) / 32767;
            // The headroom gain goes as the inverse of the level: a twentyfold
            // rise makes its steepest slope some 6 % a sample, a step 90 %.
            QVERIFY2(std::abs(now - gain) < 0.1, qPrintable(QStringLiteral("gain step at %1").arg(i)));
            gain = now;
            if (glideEnd < 0 && gain < 0.2)
                glideEnd = i;
        }
        QVERIFY(saturated);
        QVERIFY2(glideEnd >= 80, qPrintable(QString::number(glideEnd)));
    }

    // fadeOut takes the noise away within tens of milliseconds, not at a
    // stroke, and leaves the wanted signal as it was, fading included.
    void fadeOutLeavesTheWantedSignal()
    {
        BandConditions conditions = noiseAt(10);
        conditions.qsb = true;
        const WantedStream stream(QString(40, u'T'), 700, 384);
        const std::size_t half = stream.samples.size() / 2;
        auto run = [&](const std::vector<audio_sample> &input) {
            ConditionsMixer mixer(conditions, wantedOf(stream), {}, 8);
            std::vector<audio_sample> out(input.begin(), input.begin() + std::ptrdiff_t(half));
            mixer.process(out.data(), int(half));
            mixer.fadeOut();
            std::vector<audio_sample> rest(input.begin() + std::ptrdiff_t(half), input.end());
            mixer.process(rest.data(), 80);  // 10 ms: still fading out
            const bool finishedEarly = mixer.finished();
            mixer.process(rest.data() + 80, int(rest.size()) - 80);
            out.insert(out.end(), rest.begin(), rest.end());
            return std::make_pair(out, !finishedEarly && mixer.finished());
        };
        const auto [mix, mixFinished] = run(stream.samples);
        const auto [noise, noiseFinished] = run(std::vector<audio_sample>(stream.samples.size()));
        QVERIFY(mixFinished && noiseFinished);
        QVERIFY(std::abs(noise[half + 40]) > 0 || std::abs(noise[half + 41]) > 0);
        QVERIFY(std::all_of(noise.begin() + std::ptrdiff_t(half) + 400, noise.end(), [](int v) { return v == 0; }));

        // The gain on the wanted signal before and after, against the clean
        // stream faded alone with the same seed.
        BandConditions fadingOnly;
        fadingOnly.qsb = true;
        const std::vector<audio_sample> faded = mixed(fadingOnly, stream, stream.samples, 8);
        std::vector<double> ratios;
        for (std::size_t i = half - 4000; i < half + 4000; ++i) {
            if (std::abs(faded[i]) > 8000)
                ratios.push_back(double(mix[i] - noise[i]) / faded[i]);
        }
        QVERIFY(!ratios.empty());
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        QVERIFY2(*high - *low < 0.01, qPrintable(QStringLiteral("%1..%2").arg(*low).arg(*high)));
    }
};

QTEST_GUILESS_MAIN(TestConditionsMixer)
#include "tst_conditionsmixer.moc"
