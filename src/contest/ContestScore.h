#pragma once

#include "ContestLog.h"

class CtyDatabase;

struct ContestScore {
    int contacts = 0;     // counted: dupes and, when checked, faulty ones left out
    int points = 0;
    int multipliers = 0;
    qint64 total = 0;     // points × multipliers (the weighted lengths in a speed run)
};

// The score of the log as each contest counts it, for an operator of myCall:
// CQ WW 3 points another continent, 1 the same continent (2 within North
// America), 0 the own country, multiplied by zones plus countries; WPX the
// same points but 1 for the own country, multiplied by prefixes; ALL JA and
// history contests 1 point, multiplied by the numbers (values) worked; a
// speed run the Morse length of each call in dot units, with no multiplier.
// Raw: every contact but dupes, as logged. Checked: only those verdicts
// hold as Ok (verdicts empty = raw).
ContestScore scoreLog(ContestKind kind, const QVector<LoggedContact> &log, const QVector<LogVerdict> &verdicts,
                      const CtyDatabase *cty, const QString &myCall);

// A call's length in Morse units: dots, dashes and the gaps in and after
// every character.
int morseUnitsOfCall(const QString &callSign);
