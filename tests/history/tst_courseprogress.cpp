// The course's progress in the practice history's file: kept, read back after
// the file is opened again, and out of the way of the history's own layout.
#include "history/CourseProgress.h"
#include "history/HistorySchema.h"
#include "history/PracticeHistory.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestCourseProgress : public QObject
{
    Q_OBJECT

private slots:
    void storedAndRestored();
    void historyClosedFirst();
};

void TestCourseProgress::storedAndRestored()
{
    QTemporaryDir folder;
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(1714564800000);
    const CourseLessonRecord lesson1{at, CourseKind::International, 1, 20, 3, 100, 95};
    const CourseLessonRecord lesson2{at.addSecs(300), CourseKind::International, 2, 22, 0, 80, 60};
    const CourseLessonRecord wabun1{at.addSecs(600), CourseKind::Wabun, 1, 20, 6, 50, 50};
    {
        PracticeHistory history;
        QVERIFY(history.open(folder.path()));
        CourseProgress progress;
        QVERIFY(progress.open(history.database()));
        QCOMPARE(progress.lessonReached(CourseKind::International), 1);
        QVERIFY(progress.recordLesson(lesson1, {{u'K', {50, 3}}, {u'M', {50, 2}}}, 2));
        QVERIFY(progress.recordLesson(lesson2, {{u'K', {30, 10}}, {u'U', {20, 10}}}, 2));
        QVERIFY(progress.recordLesson(wabun1, {{u'ヘ', {25, 0}}}, 2));
    }
    PracticeHistory history;
    QVERIFY(history.open(folder.path()));
    QCOMPARE(HistorySchema::version(history.database(), nullptr), HistorySchema::kCurrentVersion);
    CourseProgress progress;
    QVERIFY(progress.open(history.database()));
    QCOMPARE(progress.lessonReached(CourseKind::International), 2);
    QCOMPARE(progress.lessonReached(CourseKind::Wabun), 2);
    QCOMPARE(progress.lessons(CourseKind::International), (QList<CourseLessonRecord>{lesson1, lesson2}));
    QCOMPARE(progress.lessons(CourseKind::Wabun), QList<CourseLessonRecord>{wabun1});
    // Counts add up over lessons, per course.
    const QHash<QChar, CourseCharacterCount> counts = progress.characterCounts(CourseKind::International);
    QCOMPARE(counts.size(), 3);
    QCOMPARE(counts.value(u'K'), (CourseCharacterCount{80, 13}));
    QCOMPARE(counts.value(u'U'), (CourseCharacterCount{20, 10}));
    QCOMPARE(progress.characterCounts(CourseKind::Wabun).value(u'ヘ'), (CourseCharacterCount{25, 0}));

    // The course's layout has its own version row; the history's is untouched.
    QSqlQuery version(history.database());
    QVERIFY(version.exec(u"SELECT version FROM course_schema_version"_qs) && version.next());
    QCOMPARE(version.value(0).toInt(), CourseProgress::kCurrentVersion);
    QVERIFY(!version.next());
}

// On exit the history closes its connection while the course page still holds
// its progress: the connection goes quietly, and the progress is unavailable.
void TestCourseProgress::historyClosedFirst()
{
    QTest::failOnWarning(QRegularExpression(u"removeDatabase|still in use"_qs));
    QTemporaryDir folder;
    CourseProgress progress;
    {
        PracticeHistory history;
        QVERIFY(history.open(folder.path()));
        QVERIFY(progress.open(history.database()));
        QVERIFY(progress.recordLesson({QDateTime::currentDateTimeUtc(), CourseKind::Wabun, 1, 20, 0, 10, 10}, {}, 2));
        QCOMPARE(progress.lessonReached(CourseKind::Wabun), 2);
        history.close();
        QVERIFY(!progress.available());
        QCOMPARE(progress.lessonReached(CourseKind::Wabun), 1);
        QVERIFY(history.open(folder.path()));
        QVERIFY(progress.open(history.database()));
        QCOMPARE(progress.lessonReached(CourseKind::Wabun), 2);
    }
    QVERIFY(!progress.available());
}

QTEST_GUILESS_MAIN(TestCourseProgress)
#include "tst_courseprogress.moc"
