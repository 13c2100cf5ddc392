#pragma once

#include "HistoryRecords.h"

#include "marking/CharacterTally.h"

#include <QDate>
#include <QList>
#include <QMap>

// What the records window shows, gathered in one pass over the answers.
class RecordsSummary
{
public:
    struct Day
    {
        QDate date;  // local date of the answers
        int answers = 0;
        int correct = 0;
        qint64 wpmSum = 0;

        double accuracyPercent() const { return answers > 0 ? 100.0 * correct / answers : 0.0; }
        double meanWpm() const { return answers > 0 ? double(wpmSum) / answers : 0.0; }
    };

    // The fastest speed at which a Step-mode answer was right, and when it
    // was first reached; wpm 0 when there is none.
    struct BestStep
    {
        int wpm = 0;
        QDateTime at;
    };

    void add(const AnswerRecord &answer);

    int answers() const { return m_answers; }
    int correct() const { return m_correct; }
    QList<Day> days() const { return m_days.values(); }  // oldest first
    const CharacterTally &characters() const { return m_characters; }
    BestStep bestStep() const { return m_bestStep; }

private:
    int m_answers = 0;
    int m_correct = 0;
    QMap<QDate, Day> m_days;
    CharacterTally m_characters;
    BestStep m_bestStep;

    // The local day of the latest answer, as UTC milliseconds [start, end).
    QDate m_date;
    qint64 m_dayStartMs = 0;
    qint64 m_dayEndMs = 0;
};
