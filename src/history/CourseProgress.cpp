#include "CourseProgress.h"

#include <algorithm>

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// Step n brings the course's tables from version n - 1 to version n. A step
// is never changed once released.
const QStringList &stepStatements(int version)
{
    static const QStringList version1 = {
        QStringLiteral("CREATE TABLE course_lessons ("
                       " id INTEGER PRIMARY KEY,"
                       " at_ms INTEGER NOT NULL,"  // UTC, milliseconds since 1970
                       " course TEXT NOT NULL,"
                       " lesson INTEGER NOT NULL,"
                       " wpm INTEGER NOT NULL,"
                       " space_extra INTEGER NOT NULL,"
                       " sent INTEGER NOT NULL,"
                       " correct INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE course_characters ("
                       " course TEXT NOT NULL,"
                       " character TEXT NOT NULL,"
                       " sent INTEGER NOT NULL,"
                       " wrong INTEGER NOT NULL,"
                       " PRIMARY KEY (course, character))"),
        QStringLiteral("CREATE TABLE course_reached (course TEXT PRIMARY KEY, lesson INTEGER NOT NULL)"),
    };
    static const QStringList none;
    return version == 1 ? version1 : none;
}

} // namespace

QSqlDatabase CourseProgress::database() const
{
    if (m_connection.isEmpty() || !QSqlDatabase::contains(m_connection))
        return QSqlDatabase();
    return QSqlDatabase::database(m_connection, false);
}

bool CourseProgress::fail(const QString &text)
{
    database().rollback();
    m_connection.clear();
    m_errorText = text;
    return false;
}

bool CourseProgress::open(const QSqlDatabase &history)
{
    m_connection = history.isValid() ? history.connectionName() : QString();
    m_errorText.clear();
    QSqlDatabase db = database();
    if (!db.isValid() || !db.isOpen())
        return fail(QStringLiteral("practice history not open"));
    if (!db.transaction())
        return fail(db.lastError().text());
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS course_schema_version (version INTEGER NOT NULL)")))
        return fail(query.lastError().text());
    int version = 0;
    if (!query.exec(QStringLiteral("SELECT version FROM course_schema_version")))
        return fail(query.lastError().text());
    if (query.next()) {
        version = query.value(0).toInt();
    } else if (!query.exec(QStringLiteral("INSERT INTO course_schema_version (version) VALUES (0)"))) {
        return fail(query.lastError().text());
    }
    query.finish();
    if (version > kCurrentVersion)
        return fail(QStringLiteral("course progress written by a newer version"));
    for (int step = version + 1; step <= kCurrentVersion; ++step) {
        for (const QString &statement : stepStatements(step)) {
            if (!query.exec(statement))
                return fail(query.lastError().text());
        }
    }
    QSqlQuery stamp(db);
    stamp.prepare(QStringLiteral("UPDATE course_schema_version SET version = ?"));
    stamp.addBindValue(kCurrentVersion);
    if (!stamp.exec() || !db.commit())
        return fail(stamp.lastError().text() + db.lastError().text());
    return true;
}

int CourseProgress::lessonReached(CourseKind course) const
{
    if (!available())
        return 1;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT lesson FROM course_reached WHERE course = ?"));
    query.addBindValue(courseKey(course));
    if (!query.exec() || !query.next())
        return 1;
    return std::clamp(query.value(0).toInt(), 1, lessonCount(course));
}

bool CourseProgress::recordLesson(const CourseLessonRecord &lesson,
                                  const QHash<QChar, CourseCharacterCount> &characters, int reached)
{
    if (!available())
        return false;
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(db.lastError().text());
    const QString course = courseKey(lesson.course);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO course_lessons (at_ms, course, lesson, wpm, space_extra, sent, correct)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {QVariant(lesson.at.toMSecsSinceEpoch()), QVariant(course), QVariant(lesson.lesson),
                                  QVariant(lesson.wpm), QVariant(lesson.spaceExtra), QVariant(lesson.sent),
                                  QVariant(lesson.correct)})
        insert.addBindValue(value);
    if (!insert.exec())
        return fail(insert.lastError().text());

    QSqlQuery count(db);
    count.prepare(QStringLiteral("INSERT INTO course_characters (course, character, sent, wrong) VALUES (?, ?, ?, ?)"
                                 " ON CONFLICT (course, character)"
                                 " DO UPDATE SET sent = sent + excluded.sent, wrong = wrong + excluded.wrong"));
    for (auto it = characters.cbegin(); it != characters.cend(); ++it) {
        count.addBindValue(course);
        count.addBindValue(QString(it.key()));
        count.addBindValue(it->sent);
        count.addBindValue(it->wrong);
        if (!count.exec())
            return fail(count.lastError().text());
    }

    QSqlQuery reach(db);
    reach.prepare(QStringLiteral("INSERT INTO course_reached (course, lesson) VALUES (?, ?)"
                                 " ON CONFLICT (course) DO UPDATE SET lesson = excluded.lesson"));
    reach.addBindValue(course);
    reach.addBindValue(reached);
    if (!reach.exec())
        return fail(reach.lastError().text());
    if (!db.commit())
        return fail(db.lastError().text());
    return true;
}

QList<CourseLessonRecord> CourseProgress::lessons(CourseKind course) const
{
    QList<CourseLessonRecord> found;
    if (!available())
        return found;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT at_ms, lesson, wpm, space_extra, sent, correct FROM course_lessons"
                                 " WHERE course = ? ORDER BY id"));
    query.addBindValue(courseKey(course));
    if (!query.exec())
        return found;
    while (query.next()) {
        found.append({QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()), course, query.value(1).toInt(),
                      query.value(2).toInt(), query.value(3).toInt(), query.value(4).toInt(),
                      query.value(5).toInt()});
    }
    return found;
}

QHash<QChar, CourseCharacterCount> CourseProgress::characterCounts(CourseKind course) const
{
    QHash<QChar, CourseCharacterCount> counts;
    if (!available())
        return counts;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT character, sent, wrong FROM course_characters WHERE course = ?"));
    query.addBindValue(courseKey(course));
    if (!query.exec())
        return counts;
    while (query.next()) {
        const QString character = query.value(0).toString();
        if (character.size() == 1)
            counts.insert(character.at(0), {query.value(1).toInt(), query.value(2).toInt()});
    }
    return counts;
}
