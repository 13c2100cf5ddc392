// The records window over a prepared history, and the main window's way to it.
#include "callsign/DrillView.h"
#include "ui/WindowFixture.h"

#include "history/CourseProgress.h"
#include "history/PracticeHistory.h"
#include "ui/records/RecordsCharts.h"
#include "ui/records/RecordsWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QHeaderView>
#include <QValueAxis>

#include <memory>

namespace {

AnswerRecord answer(QDate day, QTime time, const QString &call, const QString &copied, int wpm,
                    DrillView::Mode mode)
{
    return {QDateTime(day, time), call, copied, wpm, 700, mode, call == copied, 900};
}

QList<qreal> ys(const QAbstractSeries *series)
{
    QList<qreal> values;
    for (const QPointF &point : static_cast<const QLineSeries *>(series)->points())
        values.append(point.y());
    return values;
}

} // namespace

class TestRecordsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tallyBestStepAndDays();
    void exportCsv_data();
    void exportCsv();
    void mainWindowOpensItAndReportsAnUnusableHistory();
    void showsTheCourse();
    void wpmAxisInWholeSteps_data();
    void wpmAxisInWholeSteps();
    void captionsWhole();

private:
    template <typename T>
    T *child(const char *name) const { return m_window->findChild<T *>(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<PracticeHistory> m_history;
    RecordingUiDialogs m_dialogs;
    std::unique_ptr<RecordsWindow> m_window;
};

void TestRecordsWindow::init()
{
    m_dialogs = RecordingUiDialogs();
    m_folder = std::make_unique<QTemporaryDir>();
    m_history = std::make_unique<PracticeHistory>();
    QVERIFY(m_history->open(m_folder->path()));
    const QDate first(2024, 5, 1);
    const QDate second(2024, 5, 2);
    const QList<AnswerRecord> answers = {
        answer(first, QTime(21, 0), u"JA1ABC"_qs, u"JA1ABC"_qs, 25, DrillView::NormalMode),
        answer(first, QTime(21, 1), u"JA1ABC"_qs, u"JA1ABD"_qs, 27, DrillView::StepMode),  // wrong: no best
        answer(first, QTime(21, 3), u"W1AW"_qs, u"W1AW"_qs, 26, DrillView::StepMode),      // the best
        answer(second, QTime(0, 0), u"K1ABC"_qs, u"K1ABC"_qs, 26, DrillView::StepMode),    // equal, later
        answer(second, QTime(0, 1), u"DL5XYZ"_qs, u"DL5XZ"_qs, 35, DrillView::RandomMode),
        answer(second, QTime(0, 2), u"JA1ABC"_qs, u"JA1ABCC"_qs, 30, DrillView::NormalMode),
    };
    for (const AnswerRecord &a : answers)
        QVERIFY(m_history->recordAnswer(a));
    m_window = std::make_unique<RecordsWindow>(*m_history, m_dialogs);
    m_window->showRecords();
}

void TestRecordsWindow::cleanup()
{
    m_window.reset();
    m_history.reset();
    m_folder.reset();
}

void TestRecordsWindow::tallyBestStepAndDays()
{
    QCOMPARE(child<QLabel>("lblTotals")->text(), u"解答 6 件　正解 3 件（50.0%）　練習した日 2 日"_qs);
    QCOMPARE(child<QLabel>("lblBestStep")->text(), u"ステップの最高速度　26 wpm（2024/05/01 21:03）"_qs);
    QVERIFY(child<QLabel>("lblUnavailable")->isHidden());

    // C copied as D once and added once; Y missed once. K1ABC counts for C's
    // times sent, W1AW does not.
    const QList<QStringList> expected = {
        {u"C"_qs, u"2"_qs, u"1"_qs, u"0"_qs, u"1"_qs, u"4"_qs, u"40.0%"_qs},  // 2 of 4 sent + 1 extra
        {u"Y"_qs, u"1"_qs, u"0"_qs, u"1"_qs, u"0"_qs, u"1"_qs, u"100.0%"_qs},
    };
    auto *list = child<QTreeWidget>("lvCharacterErrors");
    QCOMPARE(list->topLevelItemCount(), expected.size());
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList shown;
        for (int column = 0; column < list->columnCount(); ++column)
            shown << list->topLevelItem(row)->text(column);
        QCOMPARE(shown, expected[row]);
    }

    // The bar chart, worst first.
    QChart *characters = child<QChartView>("chartCharacters")->chart();
    const auto *bars = static_cast<QBarSeries *>(characters->series().constFirst());
    QCOMPARE(bars->barSets().constFirst()->at(0), 2.0);
    QCOMPARE(bars->barSets().constFirst()->at(1), 1.0);
    auto *names = static_cast<QBarCategoryAxis *>(characters->axes(Qt::Horizontal).constFirst());
    QCOMPARE(names->categories(), (QStringList{u"C"_qs, u"Y"_qs}));

    // Accuracy, then mean speed, one point a day.
    const QList<QAbstractSeries *> days = child<QChartView>("chartDays")->chart()->series();
    QCOMPARE(days.size(), 2);
    const QList<qreal> accuracy = ys(days[0]);
    const QList<qreal> speed = ys(days[1]);
    QCOMPARE(accuracy.size(), 2);
    QCOMPARE(accuracy[0], 200.0 / 3);
    QCOMPARE(accuracy[1], 100.0 / 3);
    QCOMPARE(speed, (QList<qreal>{26.0, 91.0 / 3}));
}

void TestRecordsWindow::exportCsv_data()
{
    QTest::addColumn<QString>("chosen");  // relative to the test folder; empty: cancelled
    QTest::addColumn<int>("lines");       // -1: no file
    QTest::addColumn<int>("errors");

    QTest::newRow("written") << u"out.csv"_qs << 7 << 0;
    QTest::newRow("cancelled") << QString() << -1 << 0;
    QTest::newRow("folder missing") << u"nowhere/out.csv"_qs << -1 << 1;
}

void TestRecordsWindow::exportCsv()
{
    QFETCH(QString, chosen);
    QFETCH(int, lines);
    QFETCH(int, errors);

    const QString path = chosen.isEmpty() ? QString() : m_folder->filePath(chosen);
    m_dialogs.csvFileToSave = path;
    QTest::mouseClick(child<QPushButton>("btnExportCsv"), Qt::LeftButton);
    QCOMPARE(m_dialogs.csvSuggestions.size(), 1);
    QVERIFY(m_dialogs.csvSuggestions.first().endsWith(u".csv"_qs));
    QCOMPARE(m_dialogs.errors.size(), errors);
    // Where the file went, said once it is there.
    QCOMPARE(m_dialogs.notices.size(), lines >= 0 ? 1 : 0);
    if (lines >= 0)
        QVERIFY(m_dialogs.notices.first().contains(u"6 件の記録を「"_qs + path + u"」"_qs));
    QFile file(path);
    QCOMPARE(file.exists(), lines >= 0);
    if (lines < 0)
        return;
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.size() - 1, lines);  // the header and six answers, each ended by CR LF
    QVERIFY(rows[6].contains(",answer,JA1ABC,JA1ABCC,30,700,normal,NG,900,,,"));
}

void TestRecordsWindow::mainWindowOpensItAndReportsAnUnusableHistory()
{
    WindowFixture w;
    w.make();
    // This history is held by the test: the window is refused, says so once,
    // and the records window tells why it is empty.
    w.window->openHistory(m_folder->path());
    QVERIFY(!w.window->history().available());
    QCOMPARE(w.dialogs->warnings.size(), 1);
    QVERIFY(w.dialogs->warnings.first().contains(u"ほかの KEYLARK のウィンドウが使っています"_qs));

    QTest::mouseClick(w.child<QToolButton>("btnRecords"), Qt::LeftButton);
    auto *records = w.window->findChild<RecordsWindow *>();
    QVERIFY(records && records->isVisible());
    auto *why = records->findChild<QLabel *>(u"lblUnavailable"_qs);
    QVERIFY(why->isVisible());
    QCOMPARE(why->text(), w.window->history().errorText());
    QVERIFY(!records->findChild<QPushButton *>(u"btnExportCsv"_qs)->isEnabled());
    QCOMPARE(w.dialogs->warnings.size(), 1);

    // Once free, the history opens and the same records window shows it.
    m_history->close();
    w.window->openHistory(m_folder->path());
    QVERIFY(w.window->history().available());
    QTest::mouseClick(w.child<QToolButton>("btnRecords"), Qt::LeftButton);
    QCOMPARE(w.window->findChildren<RecordsWindow *>().size(), 1);
    QVERIFY(why->isHidden());
    QVERIFY(records->findChild<QLabel *>(u"lblTotals"_qs)->text().startsWith(u"解答 6 件"_qs));
}

void TestRecordsWindow::showsTheCourse()
{
    QCOMPARE(child<QLabel>("lblCourse")->text(), u"コース　まだ練習していません"_qs);
    CourseProgress progress;
    QVERIFY(progress.open(m_history->database()));
    CourseLessonRecord lesson;
    lesson.course = CourseKind::Wabun;
    lesson.sent = 40;
    lesson.correct = 37;
    QVERIFY(progress.recordLesson(lesson, {}, 2));
    m_window->showRecords();
    QCOMPARE(child<QLabel>("lblCourse")->text(), u"コース　和文 レッスン 2（前回 92%）"_qs);
}

void TestRecordsWindow::wpmAxisInWholeSteps_data()
{
    QTest::addColumn<int>("meanWpm");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("step");
    QTest::newRow("slow: 0-10 in fives") << 4 << 10 << 5;
    QTest::newRow("0-30 in tens, not 7.5") << 25 << 30 << 10;
    QTest::newRow("0-50 in tens") << 41 << 50 << 10;
}

void TestRecordsWindow::wpmAxisInWholeSteps()
{
    QFETCH(int, meanWpm);
    QFETCH(int, top);
    QFETCH(int, step);
    RecordsSummary::Day day;
    day.date = QDate(2024, 5, 1);
    day.answers = 1;
    day.correct = 1;
    day.wpmSum = meanWpm;
    std::unique_ptr<QChart> chart(RecordsCharts::days({day}));
    QValueAxis *wpm = nullptr;
    for (QAbstractAxis *axis : chart->axes(Qt::Vertical)) {
        if (axis->titleText() == u"wpm"_qs)
            wpm = static_cast<QValueAxis *>(axis);
    }
    QVERIFY(wpm);
    QCOMPARE(wpm->max(), double(top));
    QCOMPARE((wpm->max() - wpm->min()) / (wpm->tickCount() - 1), double(step));
}

// Every column header is as wide as its caption at least.
void TestRecordsWindow::captionsWhole()
{
    auto *list = child<QTreeWidget>("lvCharacterErrors");
    for (int column = 0; column < list->columnCount(); ++column) {
        const QString caption = list->headerItem()->text(column);
        QVERIFY2(list->header()->sectionSize(column) >= list->header()->fontMetrics().horizontalAdvance(caption),
                 qPrintable(caption));
    }
    QVERIFY(list->headerItem()->toolTip(6).contains(u"0〜100%"_qs));
}

QTEST_MAIN(TestRecordsWindow)
#include "tst_recordswindow.moc"
