#include "keying/CharacterRenderer.h"
#include "sending/CharacterView.h"
#include "keying/KeyingValues.h"

#include "fakes/RecordingCharacterView.h"

#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Sample i (1-based) of a tone burst of n samples, worked out on its own from
// the statement of the rendering rather than by the renderer: the table entry
// at the phase of sample i, the phase restarting at 0 with every burst and
// advancing by freq / 8000 of a period per sample (a period is 2^30, the step
// rounded to the nearest integer); then one truncating step of x 8/9 for each
// of the 33 - i attack steps (i < 32) and the i - n + 33 release steps
// (i > n - 32).
int referenceToneSample(const TSineTable &table, int freq, int n, int i)
{
    const qint64 period = qint64(1) << 30;
    const qint64 step = (qint64(freq) * period + 4000) / 8000;
    const qint64 phase = (qint64(i - 1) * step) % period;
    int v = table[std::size_t(phase * qint64(table.size()) / period)];
    const int steps = (i < 32 ? 33 - i : 0) + (i > n - 32 ? i - n + 33 : 0);
    for (int s = 0; s < steps; ++s)
        v = v * 8 / 9;
    return v;
}

// The rendering a layout of tone bursts (> 0) and silences (< 0) must give.
std::vector<audio_sample> expectedRendering(const KeyingValues &keying, const QList<int> &layout)
{
    std::vector<audio_sample> samples;
    for (int length : layout) {
        for (int i = 1; i <= std::abs(length); ++i)
            samples.push_back(length > 0 ? audio_sample(referenceToneSample(*keying.sine_table, keying.freq, length, i)) : 0);
    }
    return samples;
}

bool rendersAs(const std::vector<audio_sample> &buffer, const RenderResult &result,
               const KeyingValues &keying, const QList<int> &layout)
{
    const std::vector<audio_sample> expected = expectedRendering(keying, layout);
    return result.ok() && result.bytes == int(2 * expected.size())
        && std::equal(expected.begin(), expected.end(), buffer.begin());
}

} // namespace

class TestCharacterRenderer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void timing_data();
    void timing();
    void voicedKanaLayout();
    void toneAtEveryPitch();
    void phaseIncrement();
    void edgeShaping();
    void firstSampleOfEveryBurstIsZero();
    void noSampleClips();
    void ratio_data();
    void ratio();
    void ratioNotAnInteger_data();
    void ratioNotAnInteger();
    void longestCharacterFits();
    void tooLongIsRefusedWithoutWritingPastTheBuffer_data();
    void tooLongIsRefusedWithoutWritingPastTheBuffer();
    void streamEcho();
    void ticker();

private:
    std::unique_ptr<TSineTable> m_table;
    KeyingValues m_keying;
    std::vector<audio_sample> m_buffer;
};

void TestCharacterRenderer::init()
{
    m_table = std::make_unique<TSineTable>();
    MakeSineTable(*m_table, 4, 8);
    m_keying = KeyingValues{};
    m_keying.dot_samples = 384;
    m_keying.freq = 700;
    m_keying.space_extra = 0;
    m_keying.sine_table = m_table.get();
    m_buffer.assign(kBufferSamples, 0x5555);
}

void TestCharacterRenderer::timing_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("spaceExtra");
    QTest::addColumn<QList<int>>("layout");  // tone > 0, silence < 0, in samples
    QTest::newRow("E") << QChar(u'E') << 0 << QList<int>{384, -1152};
    QTest::newRow("T") << QChar(u'T') << 0 << QList<int>{1152, -1152};
    QTest::newRow("A") << QChar(u'A') << 0 << QList<int>{384, -384, 1152, -1152};
    QTest::newRow("space") << QChar(u' ') << 0 << QList<int>{-1536};
    QTest::newRow("kanji") << QChar(u'日') << 0 << QList<int>{-768};
    QTest::newRow("kanji, widest spacing") << QChar(u'日') << 27 << QList<int>{-29 * 384};
    QTest::newRow("E, spacing 9 units") << QChar(u'E') << 6 << QList<int>{384, -384 * 9};
}

void TestCharacterRenderer::timing()
{
    QFETCH(QChar, c);
    QFETCH(int, spaceExtra);
    QFETCH(QList<int>, layout);
    m_keying.space_extra = spaceExtra;
    CharacterRenderer renderer(m_keying);
    const RenderResult result = renderer.MakeCharWave(m_buffer, c.unicode(), u"3");
    QVERIFY(rendersAs(m_buffer, result, m_keying, layout));
    QCOMPARE(m_buffer[std::size_t(result.bytes / 2)], audio_sample(0x5555));  // nothing beyond
}

void TestCharacterRenderer::voicedKanaLayout()
{
    // が: the dot, dash, dot, dot of か, three units before the voiced mark's two dots.
    CharacterRenderer renderer(m_keying);
    const RenderResult result = renderer.MakeCharWave(m_buffer, u'が', u"3");
    const int u = 384;
    QCOMPARE(result.bytes, 2 * 18 * u);
    QVERIFY(rendersAs(m_buffer, result, m_keying,
                      {u, -u, 3 * u, -u, u, -u, u, -3 * u, u, -u, u, -3 * u}));
}

void TestCharacterRenderer::toneAtEveryPitch()
{
    // H: four dots of 384 samples, so every burst has an attack, a flat middle
    // and a release; the phase must restart at every burst.
    for (int freq = 400; freq <= 1500; freq += 50) {
        m_keying.freq = freq;
        CharacterRenderer renderer(m_keying);
        const RenderResult result = renderer.MakeCharWave(m_buffer, u'H', u"3");
        QVERIFY2(rendersAs(m_buffer, result, m_keying, {384, -384, 384, -384, 384, -384, 384, -1152}),
                 qPrintable(QStringLiteral("%1 Hz").arg(freq)));
    }
}

void TestCharacterRenderer::phaseIncrement()
{
    QCOMPARE(CharacterRenderer::PhaseIncrement(700), 93952410);
    QCOMPARE(CharacterRenderer::PhaseIncrement(500), 67108864);
}

void TestCharacterRenderer::edgeShaping()
{
    // A flat table shows the attack and release steps alone.
    auto flat = std::make_unique<TSineTable>();
    m_keying.sine_table = flat.get();
    CharacterRenderer renderer(m_keying);
    std::vector<audio_sample> burst(200);
    const struct { int level; int sample31; int last; } rows[] = {
        {16384, 12944, 333}, {-16384, -12944, -333}, {32767, 25889, 668}};
    for (const auto &row : rows) {
        flat->fill(audio_sample(row.level));
        int position = 0;
        renderer.AddTone(burst, position, 100);
        QCOMPARE(position, 100);
        QCOMPARE(int(burst[30]), row.sample31);          // sample 31: two steps
        QCOMPARE(int(burst[31]), row.level);             // sample 32: unshaped
        QCOMPARE(int(burst[67]), row.level);             // sample n - 32: unshaped
        QCOMPARE(int(burst[68]), row.sample31);          // sample n - 31: two steps
        QCOMPARE(int(burst[99]), row.last);              // sample n: 33 steps
    }
    // 32 down to 2 steps at the attack: sample 1 of a full-scale burst.
    flat->fill(32767);
    int position = 0;
    renderer.AddTone(burst, position, 100);
    int v = 32767;
    for (int s = 0; s < 32; ++s) v = v * 8 / 9;
    QCOMPARE(int(burst[0]), v);
    int zeroPosition = 0;
    renderer.AddTone(burst, zeroPosition, 0);
    renderer.AddTone(burst, zeroPosition, -5);
    CharacterRenderer::AddSilence(burst, zeroPosition, -1);
    QCOMPARE(zeroPosition, 0);
}

void TestCharacterRenderer::firstSampleOfEveryBurstIsZero()
{
    CharacterRenderer renderer(m_keying);
    std::vector<audio_sample> burst(1000, 99);
    for (int freq : {400, 700, 1450, 1500}) {
        m_keying.freq = freq;
        int position = 0;
        renderer.AddTone(burst, position, 500);
        QCOMPARE(int(burst[0]), 0);
        renderer.AddTone(burst, position, 500);  // the phase restarts with every burst
        QCOMPARE(int(burst[500]), 0);
    }
}

void TestCharacterRenderer::noSampleClips()
{
    MakeSineTable(*m_table, 8, 8);
    CharacterRenderer renderer(m_keying);
    for (char16_t c : {u'0', u'ぴ', u'H'}) {
        const RenderResult result = renderer.MakeCharWave(m_buffer, c, u"3");
        const auto end = m_buffer.begin() + result.bytes / 2;
        QVERIFY(std::all_of(m_buffer.begin(), end, [](audio_sample s) { return s >= -32767 && s <= 32767; }));
        QVERIFY(std::any_of(m_buffer.begin(), end, [](audio_sample s) { return s > 32000; }));
    }
}

void TestCharacterRenderer::ratio_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QList<int>>("layout");
    const int u = 384;
    QTest::newRow("1: dash as long as a dot") << u"1"_qs << QList<int>{u, -3 * u};
    QTest::newRow("5") << u"5"_qs << QList<int>{5 * u, -3 * u};
    QTest::newRow("0: no tone") << u"0"_qs << QList<int>{-3 * u};
    QTest::newRow("negative: no tone") << u"-7"_qs << QList<int>{-3 * u};
}

void TestCharacterRenderer::ratio()
{
    QFETCH(QString, ratio);
    QFETCH(QList<int>, layout);
    CharacterRenderer renderer(m_keying);
    const RenderResult result = renderer.MakeCharWave(m_buffer, u'T', ratio);
    QVERIFY(rendersAs(m_buffer, result, m_keying, layout));
}

void TestCharacterRenderer::ratioNotAnInteger_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<bool>("renders");
    QTest::newRow("E") << QChar(u'E') << true;
    QTest::newRow("I") << QChar(u'I') << true;
    QTest::newRow("space") << QChar(u' ') << true;
    QTest::newRow("kanji") << QChar(u'日') << true;
    QTest::newRow("T") << QChar(u'T') << false;
    QTest::newRow("A fails at its dash") << QChar(u'A') << false;
}

void TestCharacterRenderer::ratioNotAnInteger()
{
    QFETCH(QChar, c);
    QFETCH(bool, renders);
    CharacterRenderer renderer(m_keying);
    for (const QString &text : {u"abc"_qs, QString(), u"3.5"_qs}) {
        const RenderResult result = renderer.MakeCharWave(m_buffer, c.unicode(), text);
        QCOMPARE(result.ok(), renders);
        if (!renders) {
            QCOMPARE(result.error, QStringLiteral("'%1' は整数ではありません").arg(text));
            QCOMPARE(result.bytes, 0);
        }
    }
}

void TestCharacterRenderer::longestCharacterFits()
{
    // ぴ at 10 wpm, ratio 10, widest spacing: 96 units of 960 samples exactly fill the buffer.
    m_keying.dot_samples = 960;
    m_keying.space_extra = 27;
    CharacterRenderer renderer(m_keying);
    const RenderResult result = renderer.MakeCharWave(m_buffer, u'ぴ', u"10");
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.bytes, 2 * 96 * 960);
    QCOMPARE(result.bytes / 2, int(m_buffer.size()));
}

void TestCharacterRenderer::tooLongIsRefusedWithoutWritingPastTheBuffer_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<int>("spaceExtra");
    QTest::newRow("ratio 11 at the widest spacing") << u"11"_qs << 27;
    QTest::newRow("ratio overflowing 32 bits") << u"2147483647"_qs << 0;
    QTest::newRow("ratio 1000") << u"1000"_qs << 0;
}

void TestCharacterRenderer::tooLongIsRefusedWithoutWritingPastTheBuffer()
{
    QFETCH(QString, ratio);
    QFETCH(int, spaceExtra);
    m_keying.dot_samples = 960;
    m_keying.space_extra = spaceExtra;
    // An exact-size heap block: AddressSanitizer flags any write past it.
    std::vector<audio_sample> exact(kBufferSamples);
    CharacterRenderer renderer(m_keying);
    const RenderResult result = renderer.MakeCharWave(exact, u'ぴ', ratio);
    QVERIFY(!result.ok());
    QCOMPARE(result.bytes, 0);
    QVERIFY(result.error.contains(ratio));
    QVERIFY(!result.error.contains(u"整数ではありません"));
}

void TestCharacterRenderer::streamEcho()
{
    RecordingCharacterView view;
    view.tab = CharacterView::CallSignTab;
    view.stream = true;
    ShowCharacterStarting(view, u'J');
    ShowCharacterStarting(view, u'A');
    QCOMPARE(view.callInput, u"JA"_qs);
    ShowCharacterStarting(view, u'\t');
    QCOMPARE(view.callInput, u"JA"_qs);
    ShowCharacterStarting(view, u' ');
    QCOMPARE(view.callInput, QString());
    QCOMPARE(view.textChars, 0);

    view.stream = false;
    ShowCharacterStarting(view, u'K');
    QCOMPARE(view.callInput, QString());
}

void TestCharacterRenderer::ticker()
{
    RecordingCharacterView view;
    view.tab = CharacterView::PlainTextTab;
    view.stream = true;  // has no effect on this tab
    for (char16_t c : {u'C', u'\t', u'Q', u' '})
        ShowCharacterStarting(view, c);
    QCOMPARE(view.ticker, u"CQ "_qs);
    QCOMPARE(view.textChars, 4);
    QCOMPARE(view.callInput, QString());
    for (char16_t c : {u'C', u'Q'})
        ShowCharacterHeard(view, c);
    QCOMPARE(view.ticker, u"CQ "_qs);  // before-sending timing: nothing added when heard

    view.afterSending = true;
    view.ticker.clear();
    ShowCharacterStarting(view, u'D');
    QCOMPARE(view.ticker, QString());
    ShowCharacterHeard(view, u'D');
    ShowCharacterHeard(view, u'\r');
    QCOMPARE(view.ticker, u"D"_qs);

    view.callInput = u"JA1"_qs;
    ShowCharacterStarting(view, u'E');
    QVERIFY(!view.tickerVisible);
    view.callInput.clear();
    ShowCharacterHeard(view, u'E');
    QVERIFY(view.tickerVisible);
}

QTEST_APPLESS_MAIN(TestCharacterRenderer)
#include "tst_characterrenderer.moc"
