#pragma once

#include "contest/exchange/CutNumbers.h"

#include <QString>

#include <optional>
#include <random>

class CtyDatabase;
class CallHistory;

// The contests a run can be: what is exchanged and how it scores.
enum class ContestKind {
    CqWw,         // RST + CQ zone
    AllJa,        // RST + prefecture/branch number + power letter, Japanese stations only
    Wpx,          // RST + serial number
    SpeedRun,     // the call sign alone
    FromHistory,  // RST + the call history's first exchange column (ACAG and the like)
};

// An exchange in its plain form: "599" and "25", "10M", "123" or a history value.
struct Exchange {
    QString rst = QStringLiteral("599");
    QString value;
    bool operator==(const Exchange &) const = default;
};

// The exchange as keyed: the report and the value cut as the style says. A
// zone or serial keeps its leading zeros unless the style drops them (zone
// 5 as "05", "T5" or "5"; serial 7 as "007", "TT7" or "7").
QString keyedExchange(ContestKind kind, const Exchange &exchange, const CutStyle &style);

// Whether what the operator typed reads as a whole exchange of kind: an
// optional report ("599", "5NN") and the value, cut or not.
bool exchangeComplete(ContestKind kind, const QString &typed);

// The exchange typed, read: the report (599 when left out) and the value in
// its plain form; nullopt when it is not complete.
std::optional<Exchange> readExchange(ContestKind kind, const QString &typed);

// Whether a typed value is the one sent: numbers compared uncut and without
// leading zeros, the power letter and any other text exactly (case aside).
bool sameExchangeValue(ContestKind kind, const QString &sent, const QString &typed);

// What a caller sends in kind: a history entry first (when its value suits
// the contest), else the zone of its country, a number of its call area with
// a power letter, or a serial from serialNumber. nullopt when nothing fits
// (an unknown country, a foreign call in ALL JA, a call missing from the
// history in a history contest).
std::optional<Exchange> exchangeForCaller(ContestKind kind, const QString &callSign, const CtyDatabase *cty,
                                          const CallHistory *history, int serialNumber, std::mt19937 &random);
