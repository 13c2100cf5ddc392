// The course tab through the whole window: a lesson sounds through the
// sequencer, the copy is scored when the sound has ended, a pass opens the
// next lesson and the progress outlives the window.
#include "ui/WindowFixture.h"

#include "TestPaths.h"
#include "ui/course/CoursePage.h"
#include "ui/style/DarkStyle.h"

#include "course/LessonText.h"
#include "keying/KeyingValues.h"

#include "history/PracticeHistory.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTemporaryDir>

class TestCoursePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void tabs();
    void lesson_data();
    void lesson();
    void stopScoresNothing();
    void leavingTheTabStops_data();
    void leavingTheTabStops();
    void writeScreenshot();

private:
    void startLesson(WindowFixture &f, CourseKind kind)
    {
        f.child<QTabWidget>("PageControlMode")->setCurrentIndex(CharacterView::CourseTab);
        f.window->coursePage().selectCourse(kind);
        f.window->coursePage().setNextSeed(11);
        QTest::mouseClick(f.child<QPushButton>("btnStart"), Qt::LeftButton);
    }
};

void TestCoursePage::tabs()
{
    WindowFixture f;
    f.make();
    const QTabWidget *tabs = f.child<QTabWidget>("PageControlMode");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), u"Call Sign 受信"_qs);
    QCOMPARE(tabs->tabText(1), u"平文受信"_qs);
    QCOMPARE(tabs->tabText(2), u"コース"_qs);
    QCOMPARE(tabs->widget(2)->objectName(), u"TabSheetCourse"_qs);
}

void TestCoursePage::lesson_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("hiragana");  // the copy typed in hiragana
    QTest::addColumn<bool>("dropFifth");  // the last fifth of the copy left out
    QTest::addColumn<int>("reached");

    QTest::newRow("international, all right") << int(CourseKind::International) << false << false << 2;
    QTest::newRow("wabun in hiragana") << int(CourseKind::Wabun) << true << false << 2;
    QTest::newRow("wabun, a fifth missed") << int(CourseKind::Wabun) << false << true << 1;
}

void TestCoursePage::lesson()
{
    QFETCH(int, kind);
    QFETCH(bool, hiragana);
    QFETCH(bool, dropFifth);
    QFETCH(int, reached);
    QTemporaryDir folder;
    {
        PracticeHistory history;
        QVERIFY(history.open(folder.path()));
        WindowFixture f;
        f.make();
        f.window->coursePage().keepProgressIn(history);
        startLesson(f, CourseKind(kind));
        CoursePage &page = f.window->coursePage();

        // 20 wpm, one minute: the characters of lesson 1 only. The speed set
        // for the other tabs stays as it was.
        QCOMPARE(f.window->keying().dot_samples, DotSamplesForSpeed(20));
        QCOMPARE(f.child<QLineEdit>("edtSpeed")->text(), u"25"_qs);
        const QString sent = page.sentText();
        const QString lesson1 = lessonCharacters(CourseKind(kind), 1);
        QVERIFY(sent.size() > 60);
        for (const QChar c : sent)
            QVERIFY(c == u' ' || lesson1.contains(c));
        QVERIFY(!f.child<QPushButton>("btnStart")->isEnabled());

        // Typed while it plays (as the input method commits it), gaps left
        // out; the ticker shows a mark for each character heard.
        QString copy = QString(sent).remove(u' ');
        const int right = int(copy.size()) - (dropFifth ? int(copy.size()) / 5 : 0);
        copy.truncate(right);
        if (hiragana) {
            for (QChar &c : copy)
                c = QChar(c.unicode() - 0x60);
        }
        f.child<QPlainTextEdit>("mmoCourseCopy")->insertPlainText(copy);
        f.playAll();
        QCOMPARE(f.child<QLabel>("lblCourseChar")->text(), QString(sent).replace(QRegularExpression(u"\\S"_qs), u"・"_qs));
        QVERIFY(f.child<QPushButton>("btnStart")->isEnabled());
        QCOMPARE(f.window->keying().dot_samples, DotSamplesForSpeed(25));
        QVERIFY(page.scorePending());
        const QRect resultBefore = f.child<QTextBrowser>("txtCourseResult")->geometry();
        page.scoreCopy();
        // The result grows over the copy box, inside the page.
        const QTextBrowser *result = f.child<QTextBrowser>("txtCourseResult");
        QVERIFY(result->height() > resultBefore.height());
        QVERIFY(page.rect().contains(result->geometry()));
        QVERIFY(result->toPlainText().contains(sent.left(kGroupSize) + u"  "_qs + sent.mid(kGroupSize + 1, kGroupSize)));
        QVERIFY(page.lastScore().has_value());
        QCOMPARE(page.lastScore()->correct, right);
        QCOMPARE(page.lessonReached(), reached);
        QCOMPARE(f.child<QComboBox>("cbbLesson")->count(), reached);
        // The other code chosen: this code's result goes, the copy box is back.
        page.selectCourse(kind == int(CourseKind::International) ? CourseKind::Wabun : CourseKind::International);
        QVERIFY(result->toPlainText().isEmpty());
        QVERIFY(f.child<QLabel>("lblCourseScore")->text().isEmpty());
        QVERIFY(f.child<QPlainTextEdit>("mmoCourseCopy")->isVisibleTo(&page));
    }
    PracticeHistory history;
    QVERIFY(history.open(folder.path()));
    WindowFixture f;
    f.make();
    f.window->coursePage().keepProgressIn(history);
    f.window->coursePage().selectCourse(CourseKind(kind));
    QCOMPARE(f.window->coursePage().lessonReached(), reached);
    QCOMPARE(f.child<QComboBox>("cbbLesson")->currentIndex(), reached - 1);
    QVERIFY(f.child<QLabel>("lblCourseAccuracy")->text().contains(lessonCharacters(CourseKind(kind), 1).left(1)));
}

void TestCoursePage::stopScoresNothing()
{
    WindowFixture f;
    f.make();
    startLesson(f, CourseKind::International);
    f.output->playOldest();
    QTest::mouseClick(f.child<QPushButton>("btnStop"), Qt::LeftButton);
    f.playAll();
    QVERIFY(!f.window->sequencer().key_down());
    QVERIFY(!f.window->coursePage().scorePending());
    f.window->coursePage().scoreCopy();
    QVERIFY(!f.window->coursePage().lastScore().has_value());
    QCOMPARE(f.window->coursePage().lessonReached(), 1);
    QVERIFY(f.child<QLabel>("lblCourseChar")->text().isEmpty());
}

// The README's picture of the tab during a lesson, on demand:
// KEYLARK_WRITE_ARTWORK=1 tst_coursepage writeScreenshot
void TestCoursePage::leavingTheTabStops_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("to the plain-text tab") << int(CharacterView::PlainTextTab);
    QTest::newRow("to the call-sign tab") << int(CharacterView::CallSignTab);
}

void TestCoursePage::leavingTheTabStops()
{
    QFETCH(int, tab);
    WindowFixture f;
    f.make();
    startLesson(f, CourseKind::International);
    f.child<QPlainTextEdit>("mmoCourseCopy")->insertPlainText(f.window->coursePage().sentText().left(5));
    f.output->playOldest();
    f.child<QTabWidget>("PageControlMode")->setCurrentIndex(tab);
    f.playAll();
    QVERIFY(!f.window->sequencer().key_down());
    QVERIFY(!f.window->coursePage().lessonSounding());
    QCOMPARE(f.window->statusText(0), u"このレッスンは採点しません"_qs);
    QCOMPARE(f.window->keying().dot_samples, DotSamplesForSpeed(25));
    const QString plainTicker = f.child<QLabel>("lblChar")->text();
    QVERIFY(!plainTicker.contains(u'K') && !plainTicker.contains(u'M'));
    f.window->coursePage().scoreCopy();
    QVERIFY(!f.window->coursePage().lastScore().has_value());
    QVERIFY(f.child<QPushButton>("btnStart")->isEnabled());
}

void TestCoursePage::writeScreenshot()
{
    if (qEnvironmentVariableIsEmpty("KEYLARK_WRITE_ARTWORK"))
        QSKIP("set KEYLARK_WRITE_ARTWORK to render the course tab's screenshot");
    DarkStyle::apply(*qApp);
    WindowFixture f;
    f.make();
    f.window->show();
    startLesson(f, CourseKind::Wabun);
    for (int i = 0; i < 23; ++i)
        f.output->playOldest();
    const QString heard = f.window->coursePage().sentText().left(22);
    QString typed = heard;
    for (QChar &c : typed) {
        if (c != u' ')
            c = QChar(c.unicode() - 0x60);
    }
    typed[8] = u'む';
    f.child<QPlainTextEdit>("mmoCourseCopy")->insertPlainText(typed);
    QVERIFY(f.window->grab().save(QDir::cleanPath(QStringLiteral(KEYLARK_TEST_DATA_DIR "/../../docs/window-course.png"))));
}

QTEST_MAIN(TestCoursePage)
#include "tst_coursepage.moc"
