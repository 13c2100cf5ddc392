#include "contest/CtyDatabase.h"
#include "keying/AudioTypes.h"
#include "pileup/ContestSession.h"

#include "TestPaths.h"

#include <QTest>

namespace {

const CtyDatabase &cty()
{
    static const CtyLoadResult loaded
        = loadCtyFile(QStringLiteral(KEYLARK_TEST_DATA_DIR "/contest/cty_small.dat"));
    return *loaded.database;
}

QStringList pool()
{
    QStringList calls;
    const char *prefixes[] = {"K1", "W2", "N3", "DL1", "DL2", "PA3", "KH9", "JA1", "JE2", "JH3"};
    for (const char *p : prefixes)
        for (char a = 'A'; a <= 'Z'; a += 5)
            calls << QString::fromLatin1(p) + QChar(u'A' + (a - 'A')) + QStringLiteral("X") + QChar(u'A' + (25 - (a - 'A')));
    return calls;
}

SessionSettings settings(double activity, quint32 seed, bool single = false)
{
    SessionSettings s;
    s.activity = activity;
    s.seed = seed;
    s.singleCall = single;
    return s;
}

// Sends message and lets the callers react: their transmissions.
QVector<Transmission> exchangeOnce(ContestSession &session, OperatorMessage message, std::int64_t &now)
{
    const Transmission own = session.send(message, now);
    now = own.start + own.length;
    QVector<Transmission> replies = session.advance(now);
    for (const Transmission &t : replies)
        now = std::max(now, t.start + t.length);
    now += 2000;
    return replies;
}

// What a caller's exchange reply reads as when typed: without "TU" or "R".
QString typedFrom(const QString &reply)
{
    QString text = reply;
    if (text.startsWith(QStringLiteral("TU ")) || text.startsWith(QStringLiteral("R ")))
        text = text.section(u' ', 1);
    return text;
}

} // namespace

class TestContestSession : public QObject
{
    Q_OBJECT

private slots:
    // New callers per CQ average the activity set; single-call mode has one.
    void arrivals_data()
    {
        QTest::addColumn<double>("activity");
        QTest::addColumn<bool>("single");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("quiet") << 1.0 << false << 0.8 << 1.2;
        QTest::newRow("busy") << 4.0 << false << 3.5 << 4.5;
        QTest::newRow("single call") << 4.0 << true << 1.0 << 1.0;
    }
    void arrivals()
    {
        QFETCH(double, activity);
        QFETCH(bool, single);
        QFETCH(double, low);
        QFETCH(double, high);
        int arrived = 0, cqs = 0;
        for (quint32 seed = 1; seed <= 40; ++seed) {
            ContestSession session(settings(activity, seed, single), pool(), &cty(), nullptr);
            std::int64_t now = 0;
            const auto replies = exchangeOnce(session, OperatorMessage::Cq, now);
            arrived += int(session.callers().size());
            ++cqs;
            QCOMPARE(replies.size(), session.callers().size());
            for (const Transmission &t : replies) {
                const Caller &c = session.callers()[t.station];
                QCOMPARE(t.text, callerCallText(c));
                QVERIFY(std::abs(c.freq - 600) <= (single ? 50 : 300));
                QVERIFY(c.dotSamples >= 9600 / 34 && c.dotSamples <= 9600 / 22);
            }
        }
        const double mean = double(arrived) / cqs;
        QVERIFY2(mean >= low && mean <= high, qPrintable(QString::number(mean)));
    }

    // Replies start 0.1 to 0.6 s after the operator stops, and the same seed
    // gives the same pile-up.
    void replyDelays()
    {
        ContestSession session(settings(6.0, 7), pool(), &cty(), nullptr);
        ContestSession again(settings(6.0, 7), pool(), &cty(), nullptr);
        const Transmission cq = session.send(OperatorMessage::Cq, 1000);
        again.send(OperatorMessage::Cq, 1000);
        QVERIFY(session.advance(cq.start + cq.length - 1).isEmpty());
        const auto replies = session.advance(cq.start + cq.length);
        QVERIFY(replies.size() >= 3);
        for (const Transmission &t : replies) {
            QVERIFY(t.start >= cq.start + cq.length + 800);
            QVERIFY(t.start <= cq.start + cq.length + 4800);
        }
        const auto repeated = again.advance(cq.start + cq.length);
        QCOMPARE(repeated.size(), replies.size());
        for (qsizetype i = 0; i < replies.size(); ++i)
            QCOMPARE(repeated[i].start, replies[i].start);
    }

    // An unanswered caller calls after each CQ until its patience is spent,
    // then leaves.
    void patience()
    {
        ContestSession session(settings(1.0, 3, true), pool(), &cty(), nullptr);
        std::int64_t now = 0;
        exchangeOnce(session, OperatorMessage::Cq, now);
        QCOMPARE(session.callers().size(), 1);
        const int calls = 1 + session.callers()[0].patience;
        int heard = 1;
        for (int cq = 0; cq < 8; ++cq) {
            for (const Transmission &t : exchangeOnce(session, OperatorMessage::Cq, now))
                heard += t.station == 0;
        }
        QCOMPARE(heard, calls);
        QCOMPARE(session.callers()[0].state, Caller::Gone);
    }

    // A partial call brings those that hold it; a wrong call the right call
    // twice; never silence, never the exchange to a wrong call.
    void partialAndWrongCalls()
    {
        ContestSession session(settings(6.0, 11), pool(), &cty(), nullptr);
        std::int64_t now = 0;
        exchangeOnce(session, OperatorMessage::Cq, now);
        const Caller first = session.callers()[0];
        const QString fragment = first.callSign.left(3);
        session.setCallText(fragment + u'?');
        for (const Transmission &t : exchangeOnce(session, OperatorMessage::HisCall, now))
            QVERIFY(session.callers()[t.station].callSign.contains(fragment));

        QString wrong = first.callSign;
        wrong[wrong.size() - 1] = wrong.back() == u'Q' ? u'R' : u'Q';
        session.setCallText(wrong);
        const auto replies = exchangeOnce(session, OperatorMessage::Exchange, now);
        const auto own = std::find_if(replies.cbegin(), replies.cend(), [&](const Transmission &t) { return t.station == first.id; });
        QVERIFY(own != replies.cend());
        QCOMPARE(own->text, first.callSign + u' ' + first.callSign);
        QVERIFY(own->dotSamples > first.dotSamples);
    }

    // A whole contact by Enter alone, with the exchange as the caller sent
    // it, and again with a wrong one; a missed exchange is asked for.
    void contactByEnter_data()
    {
        QTest::addColumn<bool>("wrongExchange");
        QTest::newRow("copied") << false;
        QTest::newRow("wrong zone") << true;
    }
    void contactByEnter()
    {
        QFETCH(bool, wrongExchange);
        bool askedAgain = false;
        for (quint32 seed = 1; seed <= 30; ++seed) {
            ContestSession session(settings(1.0, seed, true), pool(), &cty(), nullptr);
            std::int64_t now = 0;
            QCOMPARE(session.enter(now), OperatorMessage::Cq);
            session.stopSending(100);  // a CQ cut short brings nobody
            QVERIFY(session.advance(now = 100000).isEmpty());
            auto replies = exchangeOnce(session, OperatorMessage::Cq, now);
            QCOMPARE(replies.size(), 1);
            const Caller caller = session.callers()[replies[0].station];
            session.setCallText(caller.callSign);
            QCOMPARE(session.enter(now), OperatorMessage::Exchange);
            replies = session.advance(now + 10 * kSampleRate);
            now += 20 * kSampleRate;
            QCOMPARE(replies.size(), 1);
            if (replies[0].text == QStringLiteral("NR?") || replies[0].text == QStringLiteral("AGN")) {
                askedAgain = true;
                replies = exchangeOnce(session, OperatorMessage::Exchange, now);
                QCOMPARE(replies.size(), 1);
            }
            QString typed = typedFrom(replies[0].text);
            QVERIFY(exchangeComplete(ContestKind::CqWw, typed));
            if (session.callers()[caller.id].heardExchange) {
                const auto query = exchangeOnce(session, OperatorMessage::Query, now);
                QCOMPARE(query.size(), 1);
                QCOMPARE(readExchange(ContestKind::CqWw, query[0].text), readExchange(ContestKind::CqWw, typed));
            }
            if (wrongExchange)
                typed = QString::number(uncutNumber(typed.section(u' ', 1)) % 40 + 1);
            session.setExchangeText(typed);
            QCOMPARE(session.enter(now), OperatorMessage::Tu);
            QCOMPARE(session.log().size(), 1);
            QCOMPARE(session.checkedLog(), QVector<LogVerdict>{wrongExchange ? LogVerdict::WrongExchange : LogVerdict::Ok});
            QCOMPARE(session.score(true).contacts, wrongExchange ? 0 : 1);
        }
        QVERIFY(askedAgain);
    }
};

QTEST_APPLESS_MAIN(TestContestSession)
#include "tst_contestsession.moc"
