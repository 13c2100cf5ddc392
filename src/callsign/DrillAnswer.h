#pragma once

#include "PracticeMode.h"

#include <QString>

// One answer of the call-sign drill as the drill judged it: the results row
// shows it, the practice history keeps it.
struct DrillAnswer
{
    QString callSign;   // what was sent
    QString answer;     // what was typed
    QString speedText;  // the speed box as it read, for the results row
    int wpm = 0;
    int pitchHz = 0;
    PracticeMode mode = PracticeMode::Normal;
    bool correct = false;
};

// The verdict column's word, also stored in the history and its CSV export.
inline QString verdictName(bool correct)
{
    return correct ? QStringLiteral("OK") : QStringLiteral("NG");
}
