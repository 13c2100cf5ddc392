#include "keying/CharacterLength.h"
#include "keying/CharacterRenderer.h"
#include "keying/RatioCheck.h"

#include <QTest>

#include <memory>
#include <vector>

class TestRatioCheck : public QObject
{
    Q_OBJECT

private slots:
    void renderable_data();
    void renderable();
    void atGivenSettings_data();
    void atGivenSettings();
    void lengthMatchesTheRenderer_data();
    void lengthMatchesTheRenderer();
};

void TestRatioCheck::renderable_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("why");
    const QString tooLong = u"符号比率 '%1' では文字が長すぎて送出できません"_qs;
    const QString notInteger = u"'%1' は整数ではありません"_qs;
    QTest::newRow("3") << u"3"_qs << QString();
    QTest::newRow("10: the longest character fills the buffer") << u"10"_qs << QString();
    QTest::newRow("0: dashes without tone") << u"0"_qs << QString();
    QTest::newRow("negative: as 0") << u"-4"_qs << QString();
    QTest::newRow("11") << u"11"_qs << tooLong.arg(u"11"_qs);
    QTest::newRow("99") << u"99"_qs << tooLong.arg(u"99"_qs);
    QTest::newRow("overflowing 32 bits") << u"2147483647"_qs << tooLong.arg(u"2147483647"_qs);
    QTest::newRow("letters") << u"abc"_qs << notInteger.arg(u"abc"_qs);
    QTest::newRow("empty") << QString() << notInteger.arg(QString());
    QTest::newRow("fraction") << u"2.5"_qs << notInteger.arg(u"2.5"_qs);
    QTest::newRow("past int") << u"2147483648"_qs << notInteger.arg(u"2147483648"_qs);
}

void TestRatioCheck::renderable()
{
    QFETCH(QString, ratio);
    QFETCH(QString, why);
    QString reason = u"untouched"_qs;
    QCOMPARE(RatioRenderable(ratio, &reason), why.isEmpty());
    QCOMPARE(reason, why.isEmpty() ? u"untouched"_qs : why);
}

// The check must agree with what the renderer does with the longest
// character at those settings.
void TestRatioCheck::atGivenSettings_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<int>("dotSamples");
    QTest::addColumn<int>("spaceExtra");
    QTest::addColumn<RatioProblem>("problem");
    QTest::newRow("11 at 25 wpm") << u"11"_qs << 384 << 0 << RatioProblem::None;
    QTest::newRow("11 at 10 wpm, widest spacing") << u"11"_qs << 960 << 27 << RatioProblem::TooLong;
    QTest::newRow("11 at 10 wpm, exact fit") << u"11"_qs << 960 << 22 << RatioProblem::None;
    QTest::newRow("11 at 10 wpm, one unit over") << u"11"_qs << 960 << 23 << RatioProblem::TooLong;
    QTest::newRow("42 at 60 wpm") << u"42"_qs << 160 << 0 << RatioProblem::None;
    QTest::newRow("x at 60 wpm") << u"x"_qs << 160 << 0 << RatioProblem::NotAnInteger;
}

void TestRatioCheck::atGivenSettings()
{
    QFETCH(QString, ratio);
    QFETCH(int, dotSamples);
    QFETCH(int, spaceExtra);
    QFETCH(RatioProblem, problem);
    QCOMPARE(CheckRatio(ratio, dotSamples, spaceExtra), problem);

    TSineTable table{};
    KeyingValues keying;
    keying.dot_samples = dotSamples;
    keying.space_extra = spaceExtra;
    keying.sine_table = &table;
    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);
    QCOMPARE(renderer.MakeCharWave(buffer, u'ぴ', ratio).ok(), problem == RatioProblem::None);
}

void TestRatioCheck::lengthMatchesTheRenderer_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("dotSamples");
    QTest::addColumn<int>("spaceExtra");
    QTest::addColumn<int>("units");
    QTest::newRow("E") << QChar(u'E') << 3 << 384 << 0 << 4;
    QTest::newRow("T, ratio 5") << QChar(u'T') << 5 << 384 << 0 << 8;
    QTest::newRow("T, ratio -2") << QChar(u'T') << -2 << 384 << 0 << 3;
    QTest::newRow("space, widest spacing") << QChar(u' ') << 3 << 960 << 27 << 31;
    QTest::newRow("no Morse") << QChar(u'日') << 3 << 160 << 4 << 6;
    QTest::newRow("ぴ, gap inside") << QChar(u'ぴ') << 10 << 960 << 27 << 96;
    QTest::newRow("0, five dashes") << QChar(u'0') << 4 << 200 << 9 << 36;
}

void TestRatioCheck::lengthMatchesTheRenderer()
{
    QFETCH(QChar, c);
    QFETCH(int, ratio);
    QFETCH(int, dotSamples);
    QFETCH(int, spaceExtra);
    QFETCH(int, units);
    QCOMPARE(CharacterUnits(c.unicode(), ratio, spaceExtra), units);

    TSineTable table{};
    KeyingValues keying;
    keying.dot_samples = dotSamples;
    keying.space_extra = spaceExtra;
    keying.sine_table = &table;
    CharacterRenderer renderer(keying);
    std::vector<audio_sample> buffer(kBufferSamples);
    const RenderResult result = renderer.MakeCharWave(buffer, c.unicode(), QString::number(ratio));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.bytes, 2 * units * dotSamples);
}

QTEST_APPLESS_MAIN(TestRatioCheck)
#include "tst_ratiocheck.moc"
