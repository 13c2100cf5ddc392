#pragma once

#include "course/KochCourse.h"
#include "course/LessonScore.h"
#include "history/CourseProgress.h"

#include <QHash>
#include <QString>

#include <optional>

class PracticeHistory;

// The Koch course between its lessons: the lesson reached and the character
// counts of each course, the lesson under way, and what follows its end. The
// copy is scored; every character sent counts as sent, and as wrong when it
// was copied as another one or missed (a character copied where nothing was
// sent counts against none, since the course asks how each character sent is
// heard); a pass in the lesson reached opens the next one; and the lesson, its
// counts and the lesson now reached are kept in the practice history's file.
class CourseSession
{
public:
    struct Lesson
    {
        CourseKind course = CourseKind::International;
        int lesson = 1;
        int wpm = 20;
        int spaceExtra = 0;
        QString sent;
    };

    struct Result
    {
        LessonScore score;
        int reachedBefore = 1;
        int reached = 1;

        bool opened() const { return reached > reachedBefore; }
    };

    // Keeps the progress in the history's file from now on and takes what it
    // holds; false when the file cannot keep it (the progress then lasts as
    // long as the session).
    bool keepProgressIn(const PracticeHistory &history);

    void begin(const Lesson &lesson);
    // The lesson was stopped before its end: it is not scored.
    void abandon() { m_running = false; }
    bool running() const { return m_running; }
    const Lesson &played() const { return m_played; }

    // The copy of the lesson under way, scored, counted and kept; nothing when
    // no lesson is under way or nothing was typed (the lesson then ends unscored).
    std::optional<Result> score(const QString &copied);
    std::optional<LessonScore> lastScore() const { return m_lastScore; }

    int lessonReached(CourseKind course) const { return m_reached[int(course)]; }
    const QHash<QChar, CourseCharacterCount> &characterCounts(CourseKind course) const
    {
        return m_counts[int(course)];
    }

private:
    CourseProgress m_progress;
    int m_reached[2] = {1, 1};
    QHash<QChar, CourseCharacterCount> m_counts[2];
    Lesson m_played;
    bool m_running = false;
    std::optional<LessonScore> m_lastScore;
};
