#include "keying/KeyingValues.h"
#include "keying/RandomInt.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

class TestKeyingValues : public QObject
{
    Q_OBJECT

private slots:
    void dotSamples_data();
    void dotSamples();
    void pitchRounding_data();
    void pitchRounding();
    void spacing_data();
    void spacing();
    void sinePeak_data();
    void sinePeak();
    void sineTableShape();
    void randomLevelDrawsEveryDivisorFrom8To15();
    void volumeZeroIsSilent();
    void randomIntStaysInRangeAndCoversIt();
    void randomIntIsReproducibleWithASeed();
};

void TestKeyingValues::dotSamples_data()
{
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("samples");
    const int rows[][2] = {{10, 960}, {11, 872}, {12, 800}, {13, 738}, {15, 640}, {17, 564}, {20, 480},
                           {25, 384}, {30, 320}, {35, 274}, {40, 240}, {50, 192}, {60, 160}};
    for (const auto &row : rows)
        QTest::addRow("%d wpm", row[0]) << row[0] << row[1];
}

void TestKeyingValues::dotSamples()
{
    QFETCH(int, wpm);
    QFETCH(int, samples);
    QCOMPARE(DotSamplesForSpeed(wpm), samples);
}

void TestKeyingValues::pitchRounding_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("freq");
    const int rows[][2] = {{400, 400}, {420, 400}, {425, 450}, {430, 450}, {470, 450}, {475, 500},
                           {700, 700}, {710, 700}, {720, 700}, {730, 750}, {740, 750}, {750, 750},
                           {760, 750}, {770, 750}, {780, 800}, {1450, 1450}, {1500, 1500}};
    for (const auto &row : rows)
        QTest::addRow("%d", row[0]) << row[0] << row[1];
}

void TestKeyingValues::pitchRounding()
{
    QFETCH(int, position);
    QFETCH(int, freq);
    QCOMPARE(FreqForPitchPosition(position), freq);
}

void TestKeyingValues::spacing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("spaceExtra");
    const int rows[][2] = {{0, 0}, {1, 1}, {5, 5}, {6, 6}, {7, 9}, {8, 12}, {9, 15},
                           {10, 18}, {11, 21}, {12, 24}, {13, 27}, {-1, 42}, {14, 42}};
    for (const auto &row : rows)
        QTest::addRow("index %d", row[0]) << row[0] << row[1];
}

void TestKeyingValues::spacing()
{
    QFETCH(int, index);
    QFETCH(int, spaceExtra);
    QCOMPARE(SpaceExtraForIndex(index, 42), spaceExtra);
}

void TestKeyingValues::sinePeak_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("peak");
    QTest::newRow("8/8") << 8 << 8 << 32767;
    QTest::newRow("4/8 half to even up") << 4 << 8 << 16384;
    QTest::newRow("4/15") << 4 << 15 << 8738;
    QTest::newRow("1/15") << 1 << 15 << 2184;
    QTest::newRow("1/14 half to even down") << 1 << 14 << 2340;
}

void TestKeyingValues::sinePeak()
{
    QFETCH(int, volume);
    QFETCH(int, divisor);
    QFETCH(int, peak);
    auto table = std::make_unique<TSineTable>();
    const long double amplitude = MakeSineTable(*table, volume, divisor);
    QCOMPARE(double(amplitude), double(volume) / divisor);
    QCOMPARE(int((*table)[8192]), peak);
    QCOMPARE(int((*table)[24576]), -peak);
    QCOMPARE(int((*table)[0]), 0);
    QCOMPARE(int((*table)[16384]), 0);
}

void TestKeyingValues::sineTableShape()
{
    auto table = std::make_unique<TSineTable>();
    for (int divisor : {8, 15}) {
        MakeSineTable(*table, 8, divisor);
        const auto [low, high] = std::minmax_element(table->begin(), table->end());
        QCOMPARE(int(*high), int(std::lround(32767.0 * 8 / divisor)));
        QCOMPARE(int(*low), -int(*high));
        // One period: odd symmetry around the half-way point.
        for (int i = 1; i < 16384; i += 97)
            QCOMPARE(int((*table)[i]), -int((*table)[32768 - i]));
    }
}

void TestKeyingValues::randomLevelDrawsEveryDivisorFrom8To15()
{
    // Drawn until every divisor has come up (a table takes a while to build).
    SeedRandom(20240611);
    auto table = std::make_unique<TSineTable>();
    std::set<int> divisors;
    for (int i = 0; i < 64 && divisors.size() < 8; ++i) {
        const long double amplitude = MakeSineTable(*table, 6);
        const int divisor = int(std::lround(double(6 / amplitude)));
        QCOMPARE(double(amplitude), 6.0 / divisor);
        QCOMPARE(int((*table)[8192]), int(std::lround(32767.0 * 6 / divisor)));
        divisors.insert(divisor);
    }
    QCOMPARE(divisors, (std::set<int>{8, 9, 10, 11, 12, 13, 14, 15}));
}

void TestKeyingValues::volumeZeroIsSilent()
{
    auto table = std::make_unique<TSineTable>();
    table->fill(123);
    QCOMPARE(double(MakeSineTable(*table, 0)), 0.0);
    QVERIFY(std::all_of(table->begin(), table->end(), [](audio_sample s) { return s == 0; }));
}

void TestKeyingValues::randomIntStaysInRangeAndCoversIt()
{
    SeedRandom(4711);
    std::set<int> seen;
    for (int i = 0; i < 4000; ++i) {
        const int k = RandomInt(20);
        QVERIFY(k >= 0 && k < 20);
        seen.insert(k);
    }
    QCOMPARE(int(seen.size()), 20);
    QCOMPARE(RandomInt(0), 0);
    QCOMPARE(RandomInt(-5), 0);
    QCOMPARE(RandomInt(1), 0);
}

void TestKeyingValues::randomIntIsReproducibleWithASeed()
{
    SeedRandom(7);
    QList<int> first;
    for (int i = 0; i < 10; ++i)
        first << RandomInt(1000);
    SeedRandom(7);
    QList<int> second;
    for (int i = 0; i < 10; ++i)
        second << RandomInt(1000);
    QCOMPARE(first, second);
}

QTEST_APPLESS_MAIN(TestKeyingValues)
#include "tst_keyingvalues.moc"
