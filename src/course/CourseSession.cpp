#include "CourseSession.h"

#include "history/PracticeHistory.h"
#include "marking/CharacterTally.h"

bool CourseSession::keepProgressIn(const PracticeHistory &history)
{
    if (!m_progress.open(history.database()))
        return false;
    for (const CourseKind kind : {CourseKind::International, CourseKind::Wabun}) {
        m_reached[int(kind)] = m_progress.lessonReached(kind);
        m_counts[int(kind)] = m_progress.characterCounts(kind);
    }
    return true;
}

void CourseSession::begin(const Lesson &lesson)
{
    m_played = lesson;
    m_running = true;
    m_lastScore.reset();
}

std::optional<CourseSession::Result> CourseSession::score(const QString &copied)
{
    if (!m_running)
        return std::nullopt;
    m_running = false;
    // Nothing typed is no copy: the lesson was not taken down, so it is not
    // scored, counted or kept.
    if (foldCopy(copied).isEmpty())
        return std::nullopt;
    Result result;
    result.score = scoreLesson(m_played.sent, copied);
    m_lastScore = result.score;

    CharacterTally tally;
    tally.add(result.score.alignment);
    QHash<QChar, CourseCharacterCount> counts;
    for (const CharacterTally::Entry &entry : tally.entries()) {
        if (entry.sent > 0)
            counts.insert(entry.character, {entry.sent, entry.substituted + entry.missed});
    }
    QHash<QChar, CourseCharacterCount> &kept = m_counts[int(m_played.course)];
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        kept[it.key()].sent += it->sent;
        kept[it.key()].wrong += it->wrong;
    }
    int &reached = m_reached[int(m_played.course)];
    result.reachedBefore = reached;
    reached = lessonReachedAfter(reached, m_played.lesson, result.score.percent(), lessonCount(m_played.course));
    result.reached = reached;
    const CourseLessonRecord record{QDateTime::currentDateTimeUtc(), m_played.course, m_played.lesson, m_played.wpm,
                                    m_played.spaceExtra, result.score.sent, result.score.correct};
    m_progress.recordLesson(record, counts, reached);
    return result;
}
