#pragma once

#include "course/KochCourse.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// One lesson played to its end.
struct CourseLessonRecord
{
    QDateTime at;
    CourseKind course = CourseKind::International;
    int lesson = 1;
    int wpm = 20;
    int spaceExtra = 0;
    int sent = 0;      // characters sent, spaces left out
    int correct = 0;   // of those, copied right

    friend bool operator==(const CourseLessonRecord &, const CourseLessonRecord &) = default;
};

// How one character of a course has been copied over all its lessons.
struct CourseCharacterCount
{
    int sent = 0;
    int wrong = 0;  // sent and copied as another character or not at all

    friend bool operator==(const CourseCharacterCount &, const CourseCharacterCount &) = default;
};

// The Koch course's progress, kept in the practice history's file in tables
// of its own. Their layout has its own version row, so that the course and
// the history each bring their own tables up to date without waiting for the
// other's releases.
class CourseProgress
{
public:
    // The connection of an open practice history; its tables are created or
    // brought up to date here. False (and errorText()) when that fails; the
    // course then plays without keeping its progress.
    // Only the connection's name is kept: the history can close its
    // connection at any time (on exit among others), and the course then
    // becomes unavailable instead of holding the connection open.
    bool open(const QSqlDatabase &db);
    bool available() const { return database().isOpen(); }
    QString errorText() const { return m_errorText; }

    // The highest lesson opened, 1 before any pass.
    int lessonReached(CourseKind course) const;

    // Keeps the lesson, its character counts and the lesson now reached, all
    // in one transaction.
    bool recordLesson(const CourseLessonRecord &lesson, const QHash<QChar, CourseCharacterCount> &characters,
                      int reached);

    // Every lesson played of a course, oldest first.
    QList<CourseLessonRecord> lessons(CourseKind course) const;
    QHash<QChar, CourseCharacterCount> characterCounts(CourseKind course) const;

    static constexpr int kCurrentVersion = 1;

private:
    bool fail(const QString &text);
    // The connection, or an invalid one once the history has closed it.
    QSqlDatabase database() const;

    QString m_connection;
    QString m_errorText;
};
