#include "contest/CallHistory.h"
#include "contest/exchange/ContestExchange.h"
#include "contest/CtyDatabase.h"
#include "contest/exchange/JaNumbers.h"
#include "contest/exchange/WpxPrefix.h"

#include "TestPaths.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(ContestKind)

class TestContestExchange : public QObject
{
    Q_OBJECT

private slots:
    // How a station keys its exchange, and that the typed form of every cut
    // reads back as the value sent.
    void keyed_data()
    {
        QTest::addColumn<ContestKind>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("zero");
        QTest::addColumn<bool>("nine");
        QTest::addColumn<bool>("dropZeros");
        QTest::addColumn<QString>("keyed");
        using K = ContestKind;
        QTest::newRow("zone plain") << K::CqWw << "5" << "0" << false << false << "5NN 05";
        QTest::newRow("zone T") << K::CqWw << "5" << "T" << false << false << "5NN T5";
        QTest::newRow("zone short") << K::CqWw << "5" << "T" << false << true << "5NN 5";
        QTest::newRow("zone 29 N") << K::CqWw << "29" << "0" << true << false << "5NN 2N";
        QTest::newRow("Tokyo cut") << K::AllJa << "10M" << "T" << false << false << "5NN 1TM";
        QTest::newRow("Aomori O") << K::AllJa << "02L" << "O" << false << false << "5NN O2L";
        QTest::newRow("Aomori short") << K::AllJa << "02L" << "T" << false << true << "5NN 2L";
        QTest::newRow("branch") << K::AllJa << "106H" << "0" << false << false << "5NN 106H";
        QTest::newRow("serial") << K::Wpx << "1" << "T" << false << false << "5NN TT1";
        QTest::newRow("serial 90") << K::Wpx << "90" << "T" << true << false << "5NN TNT";
        QTest::newRow("history number") << K::FromHistory << "1001M" << "T" << false << false << "5NN 1TT1M";
        QTest::newRow("history word") << K::FromHistory << "B01" << "T" << false << false << "5NN B01";
    }
    void keyed()
    {
        QFETCH(ContestKind, kind);
        QFETCH(QString, value);
        QFETCH(QString, zero);
        QFETCH(bool, nine);
        QFETCH(bool, dropZeros);
        QFETCH(QString, keyed);
        CutStyle style;
        style.zero = zero[0];
        style.nine = nine;
        style.dropLeadingZeros = dropZeros;
        const Exchange sent{QStringLiteral("599"), value};
        QCOMPARE(keyedExchange(kind, sent, style), keyed);
        const auto read = readExchange(kind, keyed);
        QVERIFY(read);
        QCOMPARE(read->rst, QStringLiteral("599"));
        QVERIFY(sameExchangeValue(kind, value, read->value));
        QVERIFY(!sameExchangeValue(kind, value, read->value + u'1'));
    }

    // What the operator types: complete or not, and what it reads as.
    void typed_data()
    {
        QTest::addColumn<ContestKind>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rst");    // empty: incomplete
        QTest::addColumn<QString>("value");
        using K = ContestKind;
        QTest::newRow("zone alone") << K::CqWw << "25" << "599" << "25";
        QTest::newRow("zone with report") << K::CqWw << "579 T5" << "579" << "5";
        QTest::newRow("zone 41") << K::CqWw << "41" << "" << "";
        QTest::newRow("zone letters") << K::CqWw << "K1" << "" << "";
        QTest::newRow("JA cut") << K::AllJa << "5nn 1tm" << "599" << "10M";
        QTest::newRow("JA no power") << K::AllJa << "10" << "" << "";
        QTest::newRow("JA no such number") << K::AllJa << "50M" << "" << "";
        QTest::newRow("JA branch") << K::AllJa << "114P" << "599" << "114P";
        QTest::newRow("serial") << K::Wpx << "5NN TT7" << "599" << "7";
        QTest::newRow("serial zero") << K::Wpx << "T" << "" << "";
        QTest::newRow("three words") << K::Wpx << "599 1 2" << "" << "";
        QTest::newRow("short report") << K::Wpx << "59 12" << "" << "";
        QTest::newRow("empty") << K::CqWw << "" << "" << "";
        QTest::newRow("junk") << K::CqWw << QString::fromUtf8("５９９ \u00e9\u0000") << "" << "";
        QTest::newRow("speed run") << K::SpeedRun << "" << "599" << "";
    }
    void typed()
    {
        QFETCH(ContestKind, kind);
        QFETCH(QString, typed);
        QFETCH(QString, rst);
        QFETCH(QString, value);
        const auto read = readExchange(kind, typed);
        QCOMPARE(read.has_value(), !rst.isEmpty());
        QCOMPARE(exchangeComplete(kind, typed), !rst.isEmpty());
        if (read) {
            QCOMPARE(read->rst, rst);
            QCOMPARE(read->value, value);
        }
    }

    void jaNumbers_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("numbers");
        QTest::newRow("Kanto") << "JA1ABC" << "10 11 12 13 14 15 16 17";
        QTest::newRow("7K prefix") << "7K1XYZ" << "10 11 12 13 14 15 16 17";
        QTest::newRow("Tokai") << "JE2AAA" << "18 19 20 21";
        QTest::newRow("Kinki") << "JH3AAA" << "22 23 24 25 26 27";
        QTest::newRow("Chugoku") << "JA4AAA" << "31 32 33 34 35";
        QTest::newRow("Shikoku") << "JA5AAA" << "36 37 38 39";
        QTest::newRow("Kyushu") << "JA6AAA" << "40 41 42 43 44 45 46";
        QTest::newRow("Okinawa") << "JR6ABC" << "47";
        QTest::newRow("Tohoku") << "JA7AAA" << "02 03 04 05 06 07";
        QTest::newRow("Hokkaido") << "JA8AAA"
                                  << "101 102 103 104 105 106 107 108 109 110 111 112 113 114";
        QTest::newRow("Hokuriku") << "JA9AAA" << "28 29 30";
        QTest::newRow("Shinetsu") << "JA0AAA" << "08 09";
        QTest::newRow("Ogasawara") << "JD1ABC" << "48";
        QTest::newRow("portable area") << "JA1ABC/9" << "28 29 30";
        QTest::newRow("8J station") << "8J3EXPO" << "22 23 24 25 26 27";
        QTest::newRow("foreign") << "K1ABC" << "";
        QTest::newRow("JT is Mongolia") << "JT1ABC" << "";
    }
    void jaNumbers()
    {
        QFETCH(QString, call);
        QFETCH(QString, numbers);
        QCOMPARE(jaNumbersForCall(call).join(u' '), numbers);
    }

    void wpxPrefix_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("JA1ABC") << "JA1ABC" << "JA1";
        QTest::newRow("7K4XYZ") << "7K4XYZ" << "7K4";
        QTest::newRow("N8BJQ") << "N8BJQ" << "N8";
        QTest::newRow("HG19ABC") << "HG19ABC" << "HG19";
        QTest::newRow("2E0ABC") << "2E0ABC" << "2E0";
        QTest::newRow("designator") << "N8BJQ/KH9" << "KH9";
        QTest::newRow("area digit") << "JA1ABC/2" << "JA2";
        QTest::newRow("no digit designator") << "PA/N8BJQ" << "PA0";
        QTest::newRow("no digit call") << "XEFTJW" << "XE0";
        QTest::newRow("portable") << "N8BJQ/P" << "N8";
        QTest::newRow("qrp") << "JA1ABC/QRP" << "JA1";
    }
    void wpxPrefix()
    {
        QFETCH(QString, call);
        QFETCH(QString, prefix);
        QCOMPARE(::wpxPrefix(call), prefix);
    }

    // A caller's exchange: the history's when it suits, else from its call.
    void callerExchange_data()
    {
        QTest::addColumn<ContestKind>("kind");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("value");  // a pattern; empty: no exchange
        using K = ContestKind;
        QTest::newRow("zone from country") << K::CqWw << "W6ABC" << "3";
        QTest::newRow("zone of Japan") << K::CqWw << "JA3XYZ" << "25";
        QTest::newRow("no country") << K::CqWw << "ZZ9ZZ" << "";
        QTest::newRow("JA history entry") << K::AllJa << "JH3BBB" << "25H";
        QTest::newRow("JA history is no ALL JA number") << K::AllJa << "JA1AAA" << "1[0-7][PLMH]";
        QTest::newRow("JA from area") << K::AllJa << "JA8XYZ" << "1(0[1-9]|1[0-4])[PLMH]";
        QTest::newRow("JA foreign") << K::AllJa << "K1ABC" << "";
        QTest::newRow("serial") << K::Wpx << "K1ABC" << "42";
        QTest::newRow("history") << K::FromHistory << "JE7CCC" << "0601";
        QTest::newRow("not in history") << K::FromHistory << "JA9XYZ" << "";
    }
    void callerExchange()
    {
        QFETCH(ContestKind, kind);
        QFETCH(QString, call);
        QFETCH(QString, value);
        const CtyLoadResult cty = loadCtyFile(QStringLiteral(KEYLARK_TEST_DATA_DIR "/contest/cty_small.dat"));
        const CallHistoryResult history
            = loadCallHistoryFile(QStringLiteral(KEYLARK_TEST_DATA_DIR "/contest/history_small.txt"));
        QVERIFY(cty.database && history.ok);
        for (unsigned seed = 1; seed <= 20; ++seed) {
            std::mt19937 random(seed);
            const auto exchange = exchangeForCaller(kind, call, &*cty.database, &history.history, 42, random);
            QCOMPARE(exchange.has_value(), !value.isEmpty());
            if (exchange)
                QVERIFY2(QRegularExpression(u'^' + value + u'$').match(exchange->value).hasMatch(),
                         qPrintable(exchange->value));
        }
    }
};

QTEST_APPLESS_MAIN(TestContestExchange)
#include "tst_contestexchange.moc"
