#include "ContestLog.h"

#include "keying/AudioTypes.h"

#include <QSet>

QVector<LogVerdict> checkLog(ContestKind kind, const QVector<LoggedContact> &log,
                             const QVector<CallerTruth> &truth)
{
    QVector<LogVerdict> verdicts;
    QSet<QString> logged;
    for (const LoggedContact &c : log) {
        const QString call = c.callSign.trimmed().toUpper();
        const bool known = c.caller >= 0 && c.caller < truth.size();
        if (logged.contains(call)) {
            verdicts << LogVerdict::Duplicate;
        } else if (!known || !truth[c.caller].loggedOperator) {
            verdicts << LogVerdict::NotInLog;
        } else if (call != truth[c.caller].callSign) {
            verdicts << LogVerdict::BustedCall;
        } else {
            const auto typed = readExchange(kind, c.exchangeTyped);
            const Exchange &sent = truth[c.caller].sent;
            const bool same = kind == ContestKind::SpeedRun
                || (typed && typed->rst == sent.rst && sameExchangeValue(kind, sent.value, typed->value));
            verdicts << (same ? LogVerdict::Ok : LogVerdict::WrongExchange);
        }
        logged.insert(call);
    }
    return verdicts;
}

namespace {

int countSince(const QVector<LoggedContact> &log, std::int64_t from, std::int64_t now)
{
    int n = 0;
    for (const LoggedContact &c : log) {
        if (c.at > from && c.at <= now)
            ++n;
    }
    return n;
}

} // namespace

int rateLastFiveMinutes(const QVector<LoggedContact> &log, std::int64_t now)
{
    return 12 * countSince(log, now - std::int64_t(5) * 60 * kSampleRate, now);
}

int rateLastHour(const QVector<LoggedContact> &log, std::int64_t now)
{
    return countSince(log, now - std::int64_t(60) * 60 * kSampleRate, now);
}
