#include "RecordsSummary.h"

void RecordsSummary::add(const AnswerRecord &answer)
{
    ++m_answers;
    if (answer.correct)
        ++m_correct;

    // A conversion to local time costs microseconds; answers come in time
    // order, so the bounds of the local day are worked out once a day instead.
    const qint64 ms = answer.at.toMSecsSinceEpoch();
    if (ms < m_dayStartMs || ms >= m_dayEndMs) {
        m_date = answer.at.toLocalTime().date();
        m_dayStartMs = m_date.startOfDay().toMSecsSinceEpoch();
        m_dayEndMs = m_date.addDays(1).startOfDay().toMSecsSinceEpoch();
    }
    Day &day = m_days[m_date];
    day.date = m_date;
    ++day.answers;
    if (answer.correct)
        ++day.correct;
    day.wpmSum += answer.wpm;

    m_characters.add(alignCopy(answer.callSign, answer.answer));

    // Answers come oldest first, so a later answer at the same speed never
    // moves the date.
    if (answer.mode == PracticeMode::Step && answer.correct && answer.wpm > m_bestStep.wpm)
        m_bestStep = {answer.wpm, answer.at};
}
