#pragma once

#include "callsign/DrillAnswer.h"

#include <QDateTime>
#include <QString>

// One answer of the call-sign drill, as the practice history keeps it.
struct AnswerRecord
{
    QDateTime at;      // when Enter was pressed; the history reads it back in UTC
    QString callSign;  // what was sent
    QString answer;    // what the user typed
    int wpm = 0;
    int pitchHz = 0;
    PracticeMode mode = PracticeMode::Normal;
    bool correct = false;
    // From the end of the call sign's sound to Enter; -1 when not known.
    qint64 enterAfterMs = -1;

    friend bool operator==(const AnswerRecord &, const AnswerRecord &) = default;
};

// One run of stream listening or of plain text, as the practice history keeps it.
struct RunRecord
{
    enum Kind { Stream, PlainText };

    QDateTime at;    // when the run started; the history reads it back in UTC
    Kind kind = PlainText;
    QString source;  // "stream", "memo" or the text file's name
    int characters = 0;  // characters sent
    qint64 durationMs = 0;

    friend bool operator==(const RunRecord &, const RunRecord &) = default;
};

// The words the history stores for a kind of run (those of a mode and a
// verdict are the drill's).
QString runKindName(RunRecord::Kind kind);
RunRecord::Kind runKindFromName(const QString &name);
