#include "PracticeRecorder.h"

#include "history/PracticeHistory.h"

PracticeRecorder::PracticeRecorder(PracticeHistory &history)
    : m_history(history)
{
}

void PracticeRecorder::soundEnded()
{
    m_sinceSoundEnd.start();
}

void PracticeRecorder::soundStarted()
{
    m_sinceSoundEnd.invalidate();
}

void PracticeRecorder::answered(AnswerRecord answer)
{
    answer.at = QDateTime::currentDateTime();
    // Enter pressed while the call sign still sounded has no such time.
    answer.enterAfterMs = m_sinceSoundEnd.isValid() ? m_sinceSoundEnd.elapsed() : -1;
    if (m_history.available())
        m_history.recordAnswer(answer);
    soundStarted();  // the next call sign follows at once
}

void PracticeRecorder::runStarted(RunRecord::Kind kind, const QString &source)
{
    RunRecord run;
    run.at = QDateTime::currentDateTime();
    run.kind = kind;
    run.source = source;
    m_run = run;
    m_runClock.start();
}

void PracticeRecorder::runEnded(int characters)
{
    if (!m_run)
        return;
    m_run->characters = characters;
    m_run->durationMs = m_runClock.elapsed();
    if (m_history.available())
        m_history.recordRun(*m_run);
    m_run.reset();
}
