#pragma once

// A contest run with the operator as the running station, without sound or
// widgets. The page feeds it the operator's actions and the stream position
// they happen at (8000 samples per second; a test passes a counter), and
// plays what it returns:
//
//     ContestSession session(settings, callSigns, &cty, history);
//     Transmission own = session.send(OperatorMessage::Cq, now);   // side tone
//     ... every block:  for (const Transmission &t : session.advance(position + lookAhead)) mixer.add(t);
//     session.setCallText(typed); session.setExchangeText(typed);
//     OperatorMessage what = session.enter(now);                    // Enter sends the next step
//     session.stopSending(now); mixer.stop(-1);                      // Esc
//     session.log(), session.checkedLog(), session.score(true), session.finished(now)
//
// The callers react when the operator's message has ended: advance() returns
// their calls and replies, each starting 0.1-0.6 s after it, at its own speed,
// pitch and strength. Everything is drawn from the seed: the same seed and the
// same actions at the same positions give the same run.

#include "Caller.h"
#include "Transmission.h"
#include "contest/ContestLog.h"
#include "contest/ContestScore.h"

#include <QVector>

#include <optional>
#include <random>

class CallHistory;
class CtyDatabase;

enum class OperatorMessage { Cq, Exchange, Tu, MyCall, HisCall, B4, Query, Nil };

struct SessionSettings {
    ContestKind kind = ContestKind::CqWw;
    QString myCall = QStringLiteral("JA1ZZZ");   // a placeholder until the operator sets his own
    Exchange myExchange{QStringLiteral("599"), QStringLiteral("25")};
    int wpm = 28;
    int pitch = 600;
    double activity = 3.0;   // new callers per CQ, on average
    int minWpm = 22;
    int maxWpm = 34;
    bool singleCall = false; // one caller at a time, close to the operator's pitch
    bool lids = false;
    int minutes = 10;        // 10, 30 or 60
    quint32 seed = 1;
};

class ContestSession
{
public:
    // callSigns: where callers come from (those without an exchange in the
    // contest are passed over). cty and history may be null.
    ContestSession(const SessionSettings &settings, QStringList callSigns, const CtyDatabase *cty,
                   const CallHistory *history);

    const SessionSettings &settings() const { return m_settings; }

    void setCallText(const QString &text) { m_callText = text.trimmed().toUpper(); }
    void setExchangeText(const QString &text) { m_exchangeText = text; }
    const QString &callText() const { return m_callText; }
    const QString &exchangeText() const { return m_exchangeText; }

    // The operator keys message from now on; TU also logs the contact from the
    // fields and clears them. What comes back is the operator's own keying.
    Transmission send(OperatorMessage message, std::int64_t now);
    // The next step of the contact: CQ with no call typed, the partial call
    // with "?" in it, call and exchange while the exchange is incomplete, TU
    // once it is complete.
    OperatorMessage enter(std::int64_t now);
    // Esc: the message stops at now, and nobody reacts to a message cut short.
    void stopSending(std::int64_t now);

    // The stations' transmissions decided up to now and not returned before.
    QVector<Transmission> advance(std::int64_t now);

    const QVector<Caller> &callers() const { return m_callers; }
    const QVector<LoggedContact> &log() const { return m_log; }
    QVector<CallerTruth> truth() const;
    QVector<LogVerdict> checkedLog() const;
    ContestScore score(bool checked) const;
    bool finished(std::int64_t now) const;

private:
    struct Pending {
        OperatorMessage message;
        QString callText;
        std::int64_t end = 0;
        bool open = false;
    };

    void react(const Pending &sent);
    void callersCall(std::int64_t at, bool arrivals, bool usePatience);
    void addArrivals();
    void reply(Caller &caller, const QString &text, std::int64_t at);
    void answerCall(const QString &sentCall, bool withExchange, std::int64_t at);
    void callOver(std::int64_t at, int except);
    Caller *active();
    std::int64_t delay();

    SessionSettings m_settings;
    QStringList m_pool;
    const CtyDatabase *m_cty;
    const CallHistory *m_history;
    std::mt19937 m_random;
    CallerRange m_range;
    QVector<Caller> m_callers;
    QVector<Transmission> m_out;
    QVector<LoggedContact> m_log;
    Pending m_pending;
    QString m_callText;
    QString m_exchangeText;
    int m_active = -1;
    std::int64_t m_clock = 0;
};
