#include "contest/CallHistory.h"
#include "contest/CtyDatabase.h"

#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(KEYLARK_TEST_DATA_DIR "/contest/") + QString::fromLatin1(name);
}

} // namespace

class TestContestFiles : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("country");  // empty: no country
        QTest::addColumn<int>("cqZone");
        QTest::addColumn<QString>("continent");
        QTest::newRow("longest prefix") << "KH9AA" << "Wake Island" << 31 << "OC";
        QTest::newRow("short prefix") << "K1ABC" << "United States" << 5 << "NA";
        QTest::newRow("prefix zone override") << "W6XX" << "United States" << 3 << "NA";
        QTest::newRow("exact call override") << "N8XYZ" << "United States" << 4 << "NA";
        QTest::newRow("exact beats maritime") << "JA1TEST/MM9" << "Japan" << 25 << "AS";
        QTest::newRow("continent override") << "IW9ABC" << "Sicily" << 15 << "AF";
        QTest::newRow("award-list entry") << "IT9ABC" << "Sicily" << 15 << "EU";
        QTest::newRow("mainland beside it") << "I1ABC" << "Italy" << 15 << "EU";
        QTest::newRow("portable /P ignored") << "dl1abc/p" << "Germany" << 14 << "EU";
        QTest::newRow("designator before") << "DL/JA1ABC" << "Germany" << 14 << "EU";
        QTest::newRow("designator after") << "N8BJQ/KH9" << "Wake Island" << 31 << "OC";
        QTest::newRow("area digit") << "K1ABC/6" << "United States" << 3 << "NA";
        QTest::newRow("area digit in Japan") << "JA1ABC/3" << "Japan" << 25 << "AS";
        QTest::newRow("maritime mobile") << "JA1ABC/MM" << "" << 0 << "";
        QTest::newRow("unknown") << "ZZ9ZZ" << "" << 0 << "";
    }
    void lookup()
    {
        QFETCH(QString, call);
        QFETCH(QString, country);
        QFETCH(int, cqZone);
        QFETCH(QString, continent);
        const CtyLoadResult loaded = loadCtyFile(fixture("cty_small.dat"));
        QVERIFY2(loaded.database, qPrintable(loaded.error));
        const auto match = loaded.database->lookup(call);
        QCOMPARE(match.has_value(), !country.isEmpty());
        if (!match)
            return;
        QCOMPARE(loaded.database->countries()[match->country].name, country);
        QCOMPARE(match->cqZone, cqZone);
        QCOMPARE(match->continent, continent);
    }

    void awardListFlag()
    {
        const CtyLoadResult loaded = loadCtyFile(fixture("cty_small.dat"));
        QVERIFY(loaded.database);
        const auto &countries = loaded.database->countries();
        QCOMPARE(countries.size(), 7);
        QVERIFY(countries[5].awardListOnly);
        QCOMPARE(countries[5].mainPrefix, QStringLiteral("IT9"));
        QVERIFY(!countries[6].awardListOnly);
    }

    void refusedCty_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "no_such.dat" << "が見つかりません";
        QTest::newRow("cut short") << "cty_cut.dat" << "3 行目が壊れています";
        QTest::newRow("bad continent") << "cty_continent.dat" << "1 行目が壊れています";
        QTest::newRow("bad override") << "cty_override.dat" << "2 行目が壊れています";
        QTest::newRow("no country") << "history_empty.txt" << "国の情報がありません";
    }
    void refusedCty()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        const CtyLoadResult loaded = loadCtyFile(fixture(file.toLatin1().constData()));
        QVERIFY(!loaded.database);
        QVERIFY2(loaded.error.contains(reason), qPrintable(loaded.error));
        QVERIFY(loaded.error.contains(file));
    }

    void history_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");  // empty: loads
        QTest::newRow("with order line") << "history_small.txt" << "";
        QTest::newRow("rows alone") << "history_noheader.txt" << "";
        QTest::newRow("missing") << "nothing.txt" << "が見つかりません";
        QTest::newRow("empty") << "history_empty.txt" << "は空です";
        QTest::newRow("comments alone") << "history_comments.txt" << "は空です";
        QTest::newRow("binary") << "history_binary.txt" << "テキストファイルではありません";
        QTest::newRow("call not first") << "history_wrongorder.txt" << "!!Order!!,Call,Exch1";
        QTest::newRow("check-partial list") << "history_scp.txt" << "1 行目がコール履歴の形ではありません";
    }
    void history()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        const CallHistoryResult result = loadCallHistoryFile(fixture(file.toLatin1().constData()));
        QCOMPARE(result.ok, reason.isEmpty());
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        if (!result.ok)
            QVERIFY(result.error.contains(file));
    }

    void historyValues()
    {
        const CallHistoryResult result = loadCallHistoryFile(fixture("history_small.txt"));
        QVERIFY(result.ok);
        QCOMPARE(result.history.callSigns(),
                 QStringList({QStringLiteral("JA1AAA"), QStringLiteral("JH3BBB"), QStringLiteral("JE7CCC")}));
        QCOMPARE(result.history.exchange(QStringLiteral("jh3bbb")), QStringLiteral("25H"));
        QCOMPARE(result.history.value(QStringLiteral("JE7CCC"), QStringLiteral("Name")), QStringLiteral("JIRO"));
        QCOMPARE(result.history.value(QStringLiteral("JH3BBB"), QStringLiteral("Name")), QString());
        QVERIFY(!result.history.contains(QStringLiteral("JA9ZZZ")));
        const CallHistoryResult bare = loadCallHistoryFile(fixture("history_noheader.txt"));
        QCOMPARE(bare.history.exchange(QStringLiteral("DL1ABC")), QStringLiteral("B01"));
    }

    void tooLargeHistory()
    {
        const QString path = QDir::tempPath() + QStringLiteral("/keylark_large_history.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxCallHistoryBytes + 1));
        file.close();
        const CallHistoryResult result = loadCallHistoryFile(path);
        QFile::remove(path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(QStringLiteral("16 MB")), qPrintable(result.error));
    }

    void realFiles()
    {
        if (!QFile::exists(QString::fromLatin1(kCtyDatPath)))
            QSKIP("hamradio-files' cty.dat is needed");
        const CtyLoadResult loaded = loadCtyFile(QString::fromLatin1(kCtyDatPath));
        QVERIFY2(loaded.database, qPrintable(loaded.error));
        QCOMPARE(loaded.database->lookup(QStringLiteral("JA1ABC"))->cqZone, 25);
        QCOMPARE(loaded.database->lookup(QStringLiteral("K1ABC"))->cqZone, 5);
        const QString wag = QStringLiteral("/usr/share/hamradio-files/WAG_call_history.txt");
        const CallHistoryResult history = loadCallHistoryFile(wag);
        QVERIFY2(history.ok, qPrintable(history.error));
        QVERIFY(history.history.callSigns().size() > 1000);
    }
};

QTEST_APPLESS_MAIN(TestContestFiles)
#include "tst_contestfiles.moc"
