#include "RecordsSummary.h"

void RecordsSummary::add(const AnswerRecord &answer)
{
    ++m_answers;
    if (answer.correct)
        ++m_correct;

    const QDate date = answer.at.toLocalTime().date();
    Day &day = m_days[date];
    day.date = date;
    ++day.answers;
    if (answer.correct)
        ++day.correct;
    day.wpmSum += answer.wpm;

    m_characters.add(alignCopy(answer.callSign, answer.answer));

    // Answers come oldest first, so a later answer at the same speed never
    // moves the date.
    if (answer.mode == DrillView::StepMode && answer.correct && answer.wpm > m_bestStep.wpm)
        m_bestStep = {answer.wpm, answer.at};
}
