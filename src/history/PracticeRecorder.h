#pragma once

#include "history/HistoryRecords.h"

#include <QElapsedTimer>

#include <optional>

class PracticeHistory;

// Turns what happens in the practices into history rows: each drill answer
// with the time from the end of its call sign's sound to Enter, and each
// stream or plain-text run with what it sent and how long it took. Without a
// usable history it records nothing and practice goes on.
class PracticeRecorder
{
public:
    explicit PracticeRecorder(PracticeHistory &history);

    // The sound of what was sent has ended (a call sign, a stream, a text).
    void soundEnded();
    // A new call sign or text starts sounding.
    void soundStarted();

    void answered(AnswerRecord answer);

    void runStarted(RunRecord::Kind kind, const QString &source);
    // The run that was started has ended or was stopped, having sent characters.
    void runEnded(int characters);

private:
    PracticeHistory &m_history;
    QElapsedTimer m_sinceSoundEnd;  // invalid while something sounds
    std::optional<RunRecord> m_run;
    QElapsedTimer m_runClock;
};
