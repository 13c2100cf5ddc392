#include "contest/ContestScore.h"
#include "contest/CtyDatabase.h"

#include "TestPaths.h"

#include <QTest>

Q_DECLARE_METATYPE(ContestKind)
Q_DECLARE_METATYPE(LogVerdict)

namespace {

constexpr std::int64_t kMinute = 60 * 8000;

// Three stations that really called: what each sent, and whether it has
// the operator in its log.
QVector<CallerTruth> stations()
{
    return {{QStringLiteral("K1ABC"), {QStringLiteral("599"), QStringLiteral("5")}, true},
            {QStringLiteral("DL1XYZ"), {QStringLiteral("599"), QStringLiteral("14")}, true},
            {QStringLiteral("PA3AAA"), {QStringLiteral("579"), QStringLiteral("14")}, false}};
}

LoggedContact contact(const char *call, const char *exchange, int caller, std::int64_t at = 0)
{
    return {at, QString::fromLatin1(call), QStringLiteral("5NN 25"), QString::fromLatin1(exchange), caller};
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestContestLog : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<int>("caller");
        QTest::addColumn<LogVerdict>("verdict");
        QTest::newRow("ok, cut") << "K1ABC" << "5NN T5" << 0 << LogVerdict::Ok;
        QTest::newRow("ok, lower case") << "dl1xyz" << "14" << 1 << LogVerdict::Ok;
        QTest::newRow("busted call") << "K1ABD" << "5" << 0 << LogVerdict::BustedCall;
        QTest::newRow("wrong zone") << "K1ABC" << "4" << 0 << LogVerdict::WrongExchange;
        QTest::newRow("wrong report") << "K1ABC" << "579 5" << 0 << LogVerdict::WrongExchange;
        QTest::newRow("exchange unreadable") << "K1ABC" << "5NN" << 0 << LogVerdict::WrongExchange;
        QTest::newRow("station did not log") << "PA3AAA" << "579 14" << 2 << LogVerdict::NotInLog;
        QTest::newRow("nobody there") << "JA1ZZZ" << "25" << -1 << LogVerdict::NotInLog;
        QTest::newRow("out of range") << "JA1ZZZ" << "25" << 7 << LogVerdict::NotInLog;
    }
    void verdicts()
    {
        QFETCH(QString, call);
        QFETCH(QString, exchange);
        QFETCH(int, caller);
        QFETCH(LogVerdict, verdict);
        const QVector<LoggedContact> log{{0, call, QStringLiteral("5NN 25"), exchange, caller}};
        QCOMPARE(checkLog(ContestKind::CqWw, log, stations()), QVector<LogVerdict>{verdict});
    }

    void duplicate()
    {
        const QVector<LoggedContact> log{contact("K1ABC", "5", 0), contact("K1ABC", "5", 0),
                                         contact("DL1XYZ", "14", 1)};
        QCOMPARE(checkLog(ContestKind::CqWw, log, stations()),
                 (QVector<LogVerdict>{LogVerdict::Ok, LogVerdict::Duplicate, LogVerdict::Ok}));
    }

    // Points and multipliers as each contest counts them, raw and checked,
    // for an operator in Japan.
    void score_data()
    {
        QTest::addColumn<ContestKind>("kind");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("exchanges");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("multipliers");
        QTest::addColumn<qint64>("total");
        using K = ContestKind;
        // K1ABC and DL1XYZ other continents: 3 each; JA2AAA own country: 0;
        // zones 5, 14, 25 and three countries.
        QTest::newRow("CQ WW") << K::CqWw << words("K1ABC DL1XYZ JA2AAA K1ABC")
                               << words("5 14 25 5") << 6 << 6 << qint64(36);
        // The own country counts 1; prefixes K1, DL1, JA2 and JA1 (JA1ABC/2 is JA2).
        QTest::newRow("WPX") << K::Wpx << words("K1ABC DL1XYZ JA2AAA JA1ABC/2 JA1XYZ")
                             << words("1 2 3 4 5") << 9 << 4 << qint64(36);
        // One point each; numbers 10 and 25 (the power letter is no multiplier).
        QTest::newRow("ALL JA") << K::AllJa << words("JA1AAA JA1BBB JA3CCC")
                                << words("10M 1TH 25P") << 3 << 2 << qint64(6);
        // E is a dot and its gap, T a dash and its gap, each with the
        // two-unit gap that closes a character: 4 and 6 units.
        QTest::newRow("speed run") << K::SpeedRun << words("ET TT") << words(" ") << 22 << 0
                                   << qint64(22);
        QTest::newRow("history values") << K::FromHistory << words("JA1AAA JA1BBB JA1CCC")
                                        << words("1001M 1001M 1002H") << 3 << 2 << qint64(6);
    }
    void score()
    {
        QFETCH(ContestKind, kind);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, exchanges);
        QFETCH(int, points);
        QFETCH(int, multipliers);
        QFETCH(qint64, total);
        const CtyLoadResult cty = loadCtyFile(QStringLiteral(KEYLARK_TEST_DATA_DIR "/contest/cty_small.dat"));
        QVERIFY(cty.database);
        QVector<LoggedContact> log;
        for (qsizetype i = 0; i < calls.size(); ++i)
            log << LoggedContact{0, calls[i], QString(), exchanges.value(i), int(i)};
        const ContestScore raw = scoreLog(kind, log, {}, &*cty.database, QStringLiteral("JA1XYZ"));
        QCOMPARE(raw.points, points);
        QCOMPARE(raw.multipliers, multipliers);
        QCOMPARE(raw.total, total);

        // Checked: the first contact found faulty drops its points and what
        // only it brought.
        QVector<LogVerdict> verdicts(log.size(), LogVerdict::Ok);
        verdicts[0] = LogVerdict::BustedCall;
        const ContestScore checked = scoreLog(kind, log, verdicts, &*cty.database, QStringLiteral("JA1XYZ"));
        QCOMPARE(checked.contacts, raw.contacts - 1);
        QVERIFY(checked.total < raw.total);
    }

    void rates_data()
    {
        QTest::addColumn<QVector<qint64>>("minutes");  // when each contact was logged
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("fiveMinuteRate");
        QTest::addColumn<int>("hourRate");
        QTest::newRow("none") << QVector<qint64>{} << qint64(10) << 0 << 0;
        QTest::newRow("all recent") << QVector<qint64>{6, 7, 8} << qint64(10) << 36 << 3;
        QTest::newRow("edge of five minutes") << QVector<qint64>{5, 6} << qint64(10) << 12 << 2;
        QTest::newRow("hour edge") << QVector<qint64>{9, 30, 68} << qint64(69) << 12 << 2;
        QTest::newRow("later than now") << QVector<qint64>{9, 12} << qint64(10) << 12 << 1;
    }
    void rates()
    {
        QFETCH(QVector<qint64>, minutes);
        QFETCH(qint64, now);
        QFETCH(int, fiveMinuteRate);
        QFETCH(int, hourRate);
        QVector<LoggedContact> log;
        for (const qint64 m : minutes)
            log << LoggedContact{m * kMinute, QStringLiteral("K1ABC"), {}, {}, 0};
        QCOMPARE(rateLastFiveMinutes(log, now * kMinute), fiveMinuteRate);
        QCOMPARE(rateLastHour(log, now * kMinute), hourRate);
    }
};

QTEST_APPLESS_MAIN(TestContestLog)
#include "tst_contestlog.moc"
