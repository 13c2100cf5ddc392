#include "plaintext/RateText.h"

#include <QTest>

class TestRateText : public QObject
{
    Q_OBJECT

private slots:
    void rate_data();
    void rate();
};

void TestRateText::rate_data()
{
    QTest::addColumn<int>("textChars");
    QTest::addColumn<quint32>("startTick");
    QTest::addColumn<quint32>("nowTick");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);

    QTest::newRow("12 in 30 s") << 12 << 0u << 30000u << c << QStringLiteral("24.0字/分");
    QTest::newRow("later start") << 12 << 5000000u << 5030000u << c << QStringLiteral("24.0字/分");
    QTest::newRow("German comma") << 12 << 0u << 30000u << german << QStringLiteral("24,0字/分");
    QTest::newRow("Japanese point") << 12 << 0u << 30000u << japanese << QStringLiteral("24.0字/分");
    QTest::newRow("tick count wrapped")
        << 12 << 0xFFFFF000u << quint32(30000 - 0x1000) << c << QStringLiteral("24.0字/分");
    QTest::newRow("one decimal, rounded") << 1 << 0u << 7000u << c << QStringLiteral("8.6字/分");
    QTest::newRow("no grouping") << 2000 << 0u << 2000u << german << QStringLiteral("60000,0字/分");
    QTest::newRow("nothing rendered yet") << 0 << 100u << 2100u << c << QStringLiteral("0.0字/分");
    QTest::newRow("no time elapsed") << 5 << 100u << 100u << c << QStringLiteral("0.0字/分");
    QTest::newRow("no time, nothing rendered") << 0 << 0u << 0u << german << QStringLiteral("0,0字/分");
}

void TestRateText::rate()
{
    QFETCH(int, textChars);
    QFETCH(quint32, startTick);
    QFETCH(quint32, nowTick);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(formatRate(textChars, startTick, nowTick, locale), text);
}

QTEST_APPLESS_MAIN(TestRateText)
#include "tst_ratetext.moc"
