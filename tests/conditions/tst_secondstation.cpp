#include "conditions/ConditionsMixer.h"
#include "conditions/station/QrmCallSigns.h"

#include "WantedStream.h"

#include <QTest>

#include <algorithm>
#include <vector>

namespace {

struct HeardCall {
    qint64 start;
    QString callSign;
    int freq;
    int dotSamples;
};

BandConditions qrmOnly()
{
    BandConditions c;
    c.qrm = true;
    return c;
}

std::vector<HeardCall> mixWithCalls(ConditionsMixer &mixer, std::vector<audio_sample> &samples)
{
    std::vector<HeardCall> calls;
    mixer.setCallHook([&](qint64 start, const QString &callSign, int freq, int dot) {
        calls.push_back({start, callSign, freq, dot});
    });
    for (std::size_t done = 0; done < samples.size(); done += 1000)
        mixer.process(samples.data() + done, int(std::min<std::size_t>(1000, samples.size() - done)));
    return calls;
}

// Where each call sign's first character sounds: from its first non-zero
// sample after five units of silence to its last before a two-unit gap.
std::vector<std::pair<std::size_t, std::size_t>> firstCharacters(const std::vector<audio_sample> &s, int unit)
{
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t silence = std::size_t(5 * unit), last = 0;
    bool inFirst = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 0) {
            if (silence >= std::size_t(5 * unit)) {
                spans.push_back({i, i});
                inFirst = true;
            }
            silence = 0;
            last = i;
        } else if (++silence == std::size_t(2 * unit) && inFirst) {
            spans.back().second = last;
            inFirst = false;
        }
    }
    return spans;
}

} // namespace

class TestSecondStation : public QObject
{
    Q_OBJECT

private slots:
    // Over many seeded call signs, the second station's calls begin anywhere
    // but inside a wanted call sign's first character; one due there waits
    // for its end.
    void neverStartsInAFirstCharacter_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addRow("25 wpm") << 384;
        QTest::addRow("60 wpm") << 160;
        QTest::addRow("10 wpm") << 960;
    }
    void neverStartsInAFirstCharacter()
    {
        QFETCH(int, unit);
        int calls = 0, waited = 0;
        for (quint32 seed = 1; seed <= 6; ++seed) {
            const QString text = MadeUpCallSigns(seed, 120).join(u' ') + u' ';
            WantedStream stream(text, 700, unit);
            const auto spans = firstCharacters(stream.samples, unit);
            ConditionsMixer mixer(qrmOnly(), {700, unit, 0.5}, {QStringLiteral("W1AW")}, seed);
            for (const HeardCall &call : mixWithCalls(mixer, stream.samples)) {
                ++calls;
                for (const auto &[first, last] : spans) {
                    QVERIFY2(call.start < qint64(first) || call.start > qint64(last),
                             qPrintable(QStringLiteral("seed %1: call at %2 inside %3..%4")
                                            .arg(seed).arg(call.start).arg(first).arg(last)));
                    // Just after the gap that ends the character: it waited.
                    if (call.start == qint64(last) + 2 * unit)
                        ++waited;
                }
            }
        }
        QVERIFY2(calls > 50, qPrintable(QString::number(calls)));
        QVERIFY2(waited > 0, "no call ever fell due in a first character");
    }

    // Off the wanted pitch by 100 to 400 Hz (above it when below would fall
    // under 300 Hz), at a speed of its own, calling one of its call signs;
    // measured in the sound itself.
    void pitchAndSpeedDiffer_data()
    {
        QTest::addColumn<int>("pitch");
        QTest::addColumn<int>("unit");
        QTest::addRow("700 Hz, 25 wpm") << 700 << 384;
        QTest::addRow("400 Hz, 60 wpm") << 400 << 160;
        QTest::addRow("1500 Hz, 10 wpm") << 1500 << 960;
        QTest::addRow("1000 Hz, 40 wpm") << 1000 << 240;
    }
    void pitchAndSpeedDiffer()
    {
        QFETCH(int, pitch);
        QFETCH(int, unit);
        const QStringList callSigns{QStringLiteral("JA1ABC"), QStringLiteral("K7XY")};
        for (quint32 seed = 1; seed <= 8; ++seed) {
            ConditionsMixer mixer(qrmOnly(), {pitch, unit, 0.5}, callSigns, seed);
            std::vector<audio_sample> sound(30 * kSampleRate);
            const std::vector<HeardCall> calls = mixWithCalls(mixer, sound);
            QVERIFY(!calls.empty());
            QVERIFY(callSigns.contains(calls.front().callSign));

            // Bursts of tone: the shortest is a dot; sign changes over the
            // longest give the pitch.
            std::size_t shortest = sound.size(), longest = 0, longestAt = 0;
            for (std::size_t i = 0; i < sound.size();) {
                std::size_t end = i, quiet = 0;
                while (end < sound.size() && quiet < 8)
                    quiet = sound[end++] == 0 ? quiet + 1 : 0;
                if (end - quiet > i + 8 && quiet == 8) {  // a burst the stream's end cut short is no dot
                    shortest = std::min(shortest, end - quiet - i);
                    if (end - quiet - i > longest) {
                        longest = end - quiet - i;
                        longestAt = i;
                    }
                }
                i = end;
                while (i < sound.size() && sound[i] == 0)
                    ++i;
            }
            int changes = 0;
            for (std::size_t i = longestAt + 1; i < longestAt + longest; ++i)
                changes += (sound[i - 1] < 0) != (sound[i] < 0);
            const double heardHz = changes * kSampleRate / 2.0 / double(longest);
            QVERIFY2(std::abs(std::abs(heardHz - pitch) - 250) <= 160,
                     qPrintable(QStringLiteral("seed %1: %2 Hz").arg(seed).arg(heardHz)));
            const int told = calls.front().freq;
            QVERIFY2(std::abs(told - pitch) >= 100 && std::abs(told - pitch) <= 400 && told >= 300,
                     qPrintable(QString::number(told)));
            QVERIFY2(std::abs(heardHz - told) < 15, qPrintable(QStringLiteral("%1 Hz told, %2 heard").arg(told).arg(heardHz)));
            const double speed = double(shortest) / unit;
            QVERIFY2((speed >= 0.69 && speed <= 0.91) || (speed >= 1.09 && speed <= 1.31),
                     qPrintable(QStringLiteral("seed %1: unit %2").arg(seed).arg(shortest)));
            QVERIFY(shortest >= 160 - 8 && shortest <= 960);
        }
    }

    void callSignsFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("callSigns");
        QTest::addRow("words that are not call signs") << QStringLiteral("CQ TEST DE 599 5NN K") << QStringList{};
        QTest::addRow("lower case, portable, once each")
            << QStringLiteral("cq de ja1abc/p ja1abc/p 7k3xy\tw1aw")
            << QStringList{QStringLiteral("JA1ABC/P"), QStringLiteral("7K3XY"), QStringLiteral("W1AW")};
        QTest::addRow("kana and punctuation") << QStringLiteral("ホレ JA1ABC? JH2XYZ")
                                              << QStringList{QStringLiteral("JH2XYZ")};
    }
    void callSignsFromText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, callSigns);
        QCOMPARE(callSignsInText(text), callSigns);
    }

    // Made-up call signs pass the same rule, differ from one another and
    // depend on the seed alone.
    void madeUpCallSigns()
    {
        const QStringList made = MadeUpCallSigns(7, 50);
        QCOMPARE(made.size(), 50);
        QCOMPARE(callSignsInText(made.join(u' ')), made);
        QCOMPARE(MadeUpCallSigns(7, 50), made);
        QVERIFY(MadeUpCallSigns(8, 50) != made);
    }
};

QTEST_GUILESS_MAIN(TestSecondStation)
#include "tst_secondstation.moc"
