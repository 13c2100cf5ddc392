#pragma once

#include "contest/exchange/ContestExchange.h"

#include <QStringList>

#include <random>

class CallHistory;
class CtyDatabase;

// One station of the pile-up: who it is, what it sends and how it sounds,
// and where it stands with the operator.
struct Caller {
    enum State {
        Waiting,    // calling, or waiting for the next CQ to call again
        InContact,  // the operator answered it (perhaps with a wrong call)
        Done,       // the contact was closed: it has left
        Gone,       // it gave up or was abandoned
    };

    int id = -1;
    QString callSign;
    Exchange exchange;      // what it really sends
    CutStyle cut;
    int dotSamples = 384;
    int freq = 600;
    double amplitude = 1.0;
    bool flutter = false;
    bool callsTwice = false;
    bool lid = false;       // sends a wrong digit and corrects it, calls over contacts
    int patience = 3;       // calls left before it gives up
    int repeats = 0;        // how often it had to repeat itself; it slows down with them

    State state = Waiting;
    bool heardExchange = false;  // the operator's exchange reached it
    bool sentExchange = false;
};

// The range a run's callers are drawn from.
struct CallerRange {
    int operatorPitch = 600;
    int operatorWpm = 28;
    int minWpm = 22;
    int maxWpm = 34;
    bool singleCall = false;  // pitch within ±50 Hz instead of ±300
    bool sameSpeed = false;   // everyone at the operator's speed, steady and loud
    bool lids = false;
};

// A new caller with call sign callSign, or nullopt when it has no exchange
// in this contest.
std::optional<Caller> drawCaller(int id, const QString &callSign, ContestKind kind, const CallerRange &range,
                                 const CtyDatabase *cty, const CallHistory *history, int serialNumber,
                                 std::mt19937 &random);

// Its call as it calls: once or twice.
QString callerCallText(const Caller &caller);
// Its exchange as it sends it: perhaps "TU" or "R" first; a lid may send a
// wrong digit first and correct it after EEEEE.
QString callerExchangeText(const Caller &caller, ContestKind kind, std::mt19937 &random);

// How far apart two calls are, in single-character edits.
int callDistance(const QString &a, const QString &b);
