// The course between lessons: the tally of each character sent, which lesson
// a score opens, and what outlives the session in the practice history's file.
#include "course/CourseSession.h"
#include "history/PracticeHistory.h"

#include <QTemporaryDir>
#include <QTest>

using Counts = QHash<QChar, CourseCharacterCount>;
Q_DECLARE_METATYPE(Counts)

class TestCourseSession : public QObject
{
    Q_OBJECT

private slots:
    void tally_data();
    void tally();
    void unlocking_data();
    void unlocking();
    void keptInHistory();
};

static CourseSession::Lesson lesson(int number, const QString &sent)
{
    return {CourseKind::International, number, 22, 3, sent};
}

void TestCourseSession::tally_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<Counts>("counts");

    QTest::newRow("all right") << u"KM KM"_qs << u"KMKM"_qs << Counts{{u'K', {2, 0}}, {u'M', {2, 0}}};
    QTest::newRow("one copied as another") << u"KMM"_qs << u"KMK"_qs << Counts{{u'K', {1, 0}}, {u'M', {2, 1}}};
    QTest::newRow("one missed") << u"KKM"_qs << u"KK"_qs << Counts{{u'K', {2, 0}}, {u'M', {1, 1}}};
    // Nothing was sent where an extra character was copied: it counts against none.
    QTest::newRow("an extra character") << u"KM"_qs << u"KRM"_qs << Counts{{u'K', {1, 0}}, {u'M', {1, 0}}};
}

void TestCourseSession::tally()
{
    QFETCH(QString, sent);
    QFETCH(QString, copied);
    QFETCH(Counts, counts);
    CourseSession session;
    session.begin(lesson(1, sent));
    QVERIFY(session.running());
    QVERIFY(session.score(copied).has_value());
    QVERIFY(!session.running());
    QCOMPARE(session.characterCounts(CourseKind::International), counts);
    QVERIFY(session.characterCounts(CourseKind::Wabun).isEmpty());
    // A second lesson adds to the counts; a lesson no longer under way adds nothing.
    session.begin(lesson(1, sent));
    session.score(copied);
    QVERIFY(!session.score(copied).has_value());
    for (auto it = counts.begin(); it != counts.end(); ++it)
        *it = {2 * it->sent, 2 * it->wrong};
    QCOMPARE(session.characterCounts(CourseKind::International), counts);
}

void TestCourseSession::unlocking_data()
{
    QTest::addColumn<int>("played");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<int>("reached");

    // The lesson reached is 2 before each row: lesson 1 passed again opens nothing.
    QTest::newRow("pass in the lesson reached") << 2 << u"KMKMKMKMKM"_qs << 3;
    QTest::newRow("80 percent in it") << 2 << u"KMKMKMKM"_qs << 2;
    QTest::newRow("pass in an earlier lesson") << 1 << u"KMKMKMKMKM"_qs << 2;
}

void TestCourseSession::unlocking()
{
    QFETCH(int, played);
    QFETCH(QString, copied);
    QFETCH(int, reached);
    CourseSession session;
    session.begin(lesson(1, u"KMKMK"_qs));
    QVERIFY(session.score(u"KMKMK"_qs)->opened());
    QCOMPARE(session.lessonReached(CourseKind::International), 2);

    session.begin(lesson(played, u"KMKMKMKMKM"_qs));
    const std::optional<CourseSession::Result> result = session.score(copied);
    QCOMPARE(result->reachedBefore, 2);
    QCOMPARE(result->reached, reached);
    QCOMPARE(session.lessonReached(CourseKind::International), reached);
    QCOMPARE(session.lessonReached(CourseKind::Wabun), 1);
}

void TestCourseSession::keptInHistory()
{
    QTemporaryDir folder;
    {
        PracticeHistory history;
        QVERIFY(history.open(folder.path()));
        CourseSession session;
        QVERIFY(session.keepProgressIn(history));
        session.begin(lesson(1, u"KM KM"_qs));
        session.score(u"KMKR"_qs);
        // A lesson with nothing typed was not copied: neither scored nor kept.
        session.begin(lesson(1, u"KM KM"_qs));
        QVERIFY(!session.score(u" \n"_qs).has_value());
        QVERIFY(!session.running());
    }
    PracticeHistory history;
    QVERIFY(history.open(folder.path()));
    CourseProgress progress;
    QVERIFY(progress.open(history.database()));
    QCOMPARE(progress.lessons(CourseKind::International).size(), 1);
    const CourseLessonRecord kept = progress.lessons(CourseKind::International).first();
    QCOMPARE((QList<int>{kept.lesson, kept.wpm, kept.spaceExtra, kept.sent, kept.correct}),
             (QList<int>{1, 22, 3, 4, 3}));

    CourseSession next;
    QVERIFY(next.keepProgressIn(history));
    QCOMPARE(next.lessonReached(CourseKind::International), 1);
    QCOMPARE(next.characterCounts(CourseKind::International), (Counts{{u'K', {2, 0}}, {u'M', {2, 1}}}));
}

QTEST_GUILESS_MAIN(TestCourseSession)
#include "tst_coursesession.moc"
