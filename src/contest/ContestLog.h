#pragma once

#include "contest/exchange/ContestExchange.h"

#include <QString>
#include <QVector>

#include <cstdint>

// One contact as the operator logged it, and who was really on the other end.
struct LoggedContact {
    std::int64_t at = 0;       // stream sample at which it was logged (8000 per second)
    QString callSign;          // as typed
    QString exchangeSent;      // as keyed by the operator
    QString exchangeTyped;     // as typed
    int caller = -1;           // the station in the contact; -1 when there was none
};

// What a station really sent, and whether it has the operator in its own log
// (it heard its call and the operator's exchange, and the contact was closed).
struct CallerTruth {
    QString callSign;
    Exchange sent;
    bool loggedOperator = false;
};

enum class LogVerdict {
    Ok,
    BustedCall,      // the call logged is not the station's
    WrongExchange,   // the call is right, the exchange is not what it sent
    NotInLog,        // no station has this contact in its log
    Duplicate,       // the call was logged before in the run: no points, no error
};

// Checks every contact against the stations' truth (indexed by caller):
// duplicate first (the same call logged earlier), then not in log, busted
// call, wrong exchange.
QVector<LogVerdict> checkLog(ContestKind kind, const QVector<LoggedContact> &log,
                             const QVector<CallerTruth> &truth);

// Contacts per hour: those logged in the last five minutes before now times
// twelve, and those of the last hour.
int rateLastFiveMinutes(const QVector<LoggedContact> &log, std::int64_t now);
int rateLastHour(const QVector<LoggedContact> &log, std::int64_t now);
