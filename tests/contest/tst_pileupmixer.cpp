#include "keying/CharacterRenderer.h"
#include "pileup/PileUpMixer.h"

#include <QTest>

#include <algorithm>
#include <vector>

namespace {

Transmission signal(int station, std::int64_t start, double amplitude = 1.0)
{
    Transmission t;
    t.station = station;
    t.text = QStringLiteral("JA1ABC");
    t.dotSamples = 300;
    t.freq = 650;
    t.amplitude = amplitude;
    t.start = start;
    t.length = keyedLength(t.text, t.dotSamples);
    return t;
}

std::vector<audio_sample> mix(PileUpMixer &mixer, std::size_t total, int block)
{
    std::vector<audio_sample> out(total);
    for (std::size_t done = 0; done < total; done += std::size_t(block))
        mixer.render(out.data() + done, int(std::min<std::size_t>(std::size_t(block), total - done)));
    return out;
}

} // namespace

class TestPileUpMixer : public QObject
{
    Q_OBJECT

private slots:
    // A clean signal is the renderer's, scaled by the headroom, from its
    // start sample on, however the stream is cut into blocks.
    void exactKeying_data()
    {
        QTest::addColumn<int>("block");
        QTest::newRow("one") << 1;
        QTest::newRow("odd") << 77;
        QTest::newRow("device") << 400;
    }
    void exactKeying()
    {
        QFETCH(int, block);
        const Transmission t = signal(2, 1234);
        PileUpMixer mixer(BandConditions{}, 650, {}, 1);
        mixer.add(t);
        const auto out = mix(mixer, std::size_t(t.start + t.length + 500), block);

        auto table = std::make_unique<TSineTable>();
        KeyingValues keying;
        keying.amplitude = MakeSineTable(*table, 8, 8);
        keying.sine_table = table.get();
        keying.dot_samples = t.dotSamples;
        keying.freq = t.freq;
        CharacterRenderer renderer(keying);
        std::vector<audio_sample> expected(std::size_t(t.start), 0), buffer(kBufferSamples);
        for (const QChar c : t.text) {
            const int n = renderer.MakeCharWave(buffer, c.unicode(), u"3").bytes / 2;
            expected.insert(expected.end(), buffer.begin(), buffer.begin() + n);
        }
        QCOMPARE(qint64(expected.size()), t.start + t.length);
        expected.resize(out.size(), 0);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (std::abs(out[i] - std::lround(expected[i] * mixer.gain())) > 0)
                QFAIL(qPrintable(QStringLiteral("sample %1 differs").arg(i)));
        }
        QCOMPARE(mixer.sounding(), 0);
    }

    // Five stations at full strength, in step, over the worst noise: loud,
    // yet no sample reaches full scale.
    void noClipping()
    {
        BandConditions all;
        all.noise = all.qsb = all.qrm = true;
        all.snrDb = kMinSnrDb;
        PileUpMixer mixer(all, 650, {QStringLiteral("JH1XYZ")}, 3);
        for (int station = 0; station < PileUpMixer::kHeadroomSignals; ++station)
            mixer.add(signal(station, 800));
        const auto out = mix(mixer, 8 * kSampleRate, 400);
        const auto [low, high] = std::minmax_element(out.begin(), out.end());
        QVERIFY2(*high < 32767 && *low > -32767, qPrintable(QStringLiteral("%1 %2").arg(*low).arg(*high)));
        QVERIFY(std::max(-int(*low), int(*high)) > 16000);
    }

    // Esc takes the operator's side tone down within the ramp; a caller goes on.
    void stopCutsOneStation()
    {
        PileUpMixer mixer(BandConditions{}, 650, {}, 1);
        mixer.add(signal(-1, 0));
        std::vector<audio_sample> head(4000);
        mixer.render(head.data(), int(head.size()));
        mixer.stop(-1);
        mixer.add(signal(4, 12000, 0.5));
        const auto rest = mix(mixer, 8000, 100);
        QVERIFY(std::all_of(rest.begin() + 40, rest.end(), [](audio_sample s) { return s == 0; }));
        const auto later = mix(mixer, 4000, 100);
        QVERIFY(std::any_of(later.begin(), later.end(), [](audio_sample s) { return s != 0; }));
    }
};

QTEST_APPLESS_MAIN(TestPileUpMixer)
#include "tst_pileupmixer.moc"
