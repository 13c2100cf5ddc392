// The practice history file: what is written, and files it must leave alone.
#include "callsign/DrillView.h"
#include "history/CourseProgress.h"
#include "history/HistoryCsv.h"
#include "history/HistorySchema.h"
#include "history/PracticeHistory.h"
#include "history/RecordsSummary.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 2024-05-01 12:00:00 UTC, and so on a few seconds apart.
constexpr qint64 kNoon = 1714564800000;

AnswerRecord answer(int second, const QString &call, const QString &copied, int wpm, DrillView::Mode mode,
                    qint64 enterAfterMs)
{
    return {QDateTime::fromMSecsSinceEpoch(kNoon + second * 1000), call, copied, wpm, 650 + wpm,
            mode, call == copied, enterAfterMs};
}

QList<AnswerRecord> answersOf(const PracticeHistory &history)
{
    QList<AnswerRecord> read;
    history.readAnswers([&read](const AnswerRecord &a) { read.append(a); });
    return read;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A connection of the test's own, beside the program's, for looking inside.
struct RawDatabase
{
    explicit RawDatabase(const QString &path)
    {
        db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"raw"_qs);
        db.setDatabaseName(path);
        db.open();
    }
    ~RawDatabase()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"raw"_qs);
    }
    QVariant value(const QString &sql) const
    {
        QSqlQuery query(db);
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }
    QSqlDatabase db;
};

} // namespace

class TestPracticeHistory : public QObject
{
    Q_OBJECT

private slots:
    void answersAndRunsAreKept();
    void unusableFileIsLeftAlone_data();
    void unusableFileIsLeftAlone();
    void secondWindowIsRefused();
    void upgradeFromFirstVersion();
    void csvExport();
    void csvFormulaCells_data();
    void csvFormulaCells();
    void recordsSummary();
};

void TestPracticeHistory::answersAndRunsAreKept()
{
    QTemporaryDir folder;
    const QList<AnswerRecord> answers = {
        answer(0, u"JA1ABC"_qs, u"JA1ABC"_qs, 25, DrillView::NormalMode, 640),
        answer(5, u"W1AW"_qs, u"W1AV"_qs, 26, DrillView::StepMode, -1),
        answer(9, u"DL5XYZ"_qs, u"DL5,\"Z"_qs, 31, DrillView::RandomMode, 1200),
    };
    const QList<RunRecord> runs = {
        {QDateTime::fromMSecsSinceEpoch(kNoon + 60000), RunRecord::Stream, u"stream"_qs, 412, 95000},
        {QDateTime::fromMSecsSinceEpoch(kNoon + 90000), RunRecord::PlainText, u"練習.txt"_qs, 1500, 301000},
    };
    {
        // An empty file (left by a crash before the first write) is a new history.
        QFile empty(PracticeHistory::filePathIn(folder.path()));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        PracticeHistory history;
        QVERIFY(history.open(folder.path()));
        for (const AnswerRecord &a : answers)
            QVERIFY(history.recordAnswer(a));
        for (const RunRecord &r : runs)
            QVERIFY(history.recordRun(r));
    }
    PracticeHistory reopened;
    QVERIFY(reopened.open(folder.path()));
    QCOMPARE(answersOf(reopened), answers);
    QList<RunRecord> readRuns;
    QVERIFY(reopened.readRuns([&readRuns](const RunRecord &r) { readRuns.append(r); }));
    QCOMPARE(readRuns, runs);
    reopened.close();

    RawDatabase raw(PracticeHistory::filePathIn(folder.path()));
    QCOMPARE(raw.value(u"PRAGMA journal_mode"_qs).toString(), u"wal"_qs);
    QCOMPARE(raw.value(u"SELECT version FROM schema_version"_qs).toInt(), HistorySchema::kCurrentVersion);
    QCOMPARE(raw.value(u"SELECT verdict FROM answers WHERE call_sign = 'W1AW'"_qs).toString(), u"NG"_qs);
    QCOMPARE(raw.value(u"SELECT mode FROM answers WHERE call_sign = 'W1AW'"_qs).toString(), u"step"_qs);
}

void TestPracticeHistory::unusableFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("phrase");

    QTest::newRow("not a database") << u"garbage"_qs << u"壊れている"_qs;
    QTest::newRow("damaged page") << u"page"_qs << u"壊れている"_qs;
    QTest::newRow("another program's database") << u"foreign"_qs << u"練習履歴ではありません"_qs;
    QTest::newRow("written by a newer version") << u"newer"_qs << u"新しい版"_qs;
    QTest::newRow("folder is a file") << u"folder"_qs << u"開けません"_qs;
}

void TestPracticeHistory::unusableFileIsLeftAlone()
{
    QFETCH(QString, damage);
    QFETCH(QString, phrase);

    QTemporaryDir root;
    QString folder = root.filePath(u"data"_qs);
    QString path = PracticeHistory::filePathIn(folder);
    QDir().mkpath(folder);
    if (damage == u"garbage") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("not a history at all, just text\n").repeated(300));
    } else if (damage == u"page") {
        {
            PracticeHistory history;
            QVERIFY(history.open(folder));
            for (int i = 0; i < 200; ++i)
                history.recordAnswer(answer(i, u"JA1ABC"_qs, u"JA1ABD"_qs, 25, DrillView::NormalMode, 500));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() > 8192);
        file.seek(4096);  // the second page's header
        file.write(QByteArray(64, '\xA5'));
    } else if (damage == u"foreign" || damage == u"newer") {
        RawDatabase raw(path);
        QSqlQuery query(raw.db);
        QVERIFY(query.exec(damage == u"foreign" ? u"CREATE TABLE contacts (name TEXT)"_qs
                                                 : u"CREATE TABLE schema_version (version INTEGER)"_qs));
        if (damage == u"newer")
            QVERIFY(query.exec(u"INSERT INTO schema_version VALUES (%1)"_qs.arg(HistorySchema::kCurrentVersion + 1)));
    } else {
        QDir().rmdir(folder);
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a file where the data folder should be");
        path = folder;
    }
    const QByteArray before = contents(path);
    const QStringList filesBefore = root.filePath(u"data"_qs) == path ? QStringList()
                                                                       : QDir(folder).entryList(QDir::Files);

    PracticeHistory history;
    QSignalSpy failed(&history, &PracticeHistory::failed);
    QVERIFY(!history.open(folder));
    QVERIFY(!history.available());
    QVERIFY2(history.errorText().contains(phrase), qPrintable(history.errorText()));
    QVERIFY(history.errorText().endsWith(u"このウィンドウの練習は履歴に残りません。"_qs));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toString(), history.errorText());

    // Practice goes on: answers are dropped, the file is untouched.
    QVERIFY(!history.recordAnswer(answer(0, u"JA1ABC"_qs, u"JA1ABC"_qs, 25, DrillView::NormalMode, 500)));
    QVERIFY(!history.recordRun({QDateTime::currentDateTime(), RunRecord::PlainText, u"memo"_qs, 10, 1000}));
    QCOMPARE(failed.count(), 1);
    history.close();
    QCOMPARE(contents(path), before);
    if (path != folder)
        QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
}

void TestPracticeHistory::secondWindowIsRefused()
{
    QTemporaryDir folder;
    PracticeHistory first;
    QVERIFY(first.open(folder.path()));

    PracticeHistory second;
    QSignalSpy failed(&second, &PracticeHistory::failed);
    QVERIFY(!second.open(folder.path()));
    QCOMPARE(failed.count(), 1);
    QVERIFY(second.errorText().contains(u"ほかの KEYLARK のウィンドウが使っています"_qs));
    QVERIFY(!second.recordAnswer(answer(1, u"K1ABC"_qs, u"K1ABC"_qs, 20, DrillView::NormalMode, 300)));

    // The first window writes on; once it closes, the history is free again.
    QVERIFY(first.recordAnswer(answer(2, u"K1ABC"_qs, u"K1ABC"_qs, 20, DrillView::NormalMode, 300)));
    first.close();
    QVERIFY(second.open(folder.path()));
    QCOMPARE(answersOf(second).size(), 1);
}

void TestPracticeHistory::upgradeFromFirstVersion()
{
    QTemporaryDir folder;
    const QString path = PracticeHistory::filePathIn(folder.path());
    {
        // A file as the first version wrote it, answers without the time to Enter.
        RawDatabase raw(path);
        QString error;
        QVERIFY2(HistorySchema::upgrade(raw.db, 0, 1, &error), qPrintable(error));
        QSqlQuery insert(raw.db);
        insert.prepare(u"INSERT INTO answers (at_ms, call_sign, answer, wpm, pitch_hz, mode, verdict)"
                       u" VALUES (?, 'JA1ABC', 'JA1ABD', 22, 700, 'step', 'NG')"_qs);
        insert.addBindValue(kNoon);
        QVERIFY(insert.exec());
        QCOMPARE(raw.value(u"SELECT version FROM schema_version"_qs).toInt(), 1);
    }

    PracticeHistory history;
    QVERIFY2(history.open(folder.path()), qPrintable(history.errorText()));
    QVERIFY(history.recordAnswer(answer(7, u"W1AW"_qs, u"W1AW"_qs, 23, DrillView::StepMode, 480)));
    const QList<AnswerRecord> expected = {
        {QDateTime::fromMSecsSinceEpoch(kNoon), u"JA1ABC"_qs, u"JA1ABD"_qs, 22, 700, DrillView::StepMode, false, -1},
        answer(7, u"W1AW"_qs, u"W1AW"_qs, 23, DrillView::StepMode, 480),
    };
    QCOMPARE(answersOf(history), expected);
    history.close();
    RawDatabase raw(path);
    QCOMPARE(raw.value(u"SELECT version FROM schema_version"_qs).toInt(), 2);
}

void TestPracticeHistory::csvExport()
{
    QTemporaryDir folder;
    PracticeHistory history;
    QVERIFY(history.open(folder.path()));
    history.recordAnswer(answer(0, u"JA1ABC"_qs, u"JA1ABC"_qs, 25, DrillView::NormalMode, 640));
    history.recordAnswer(answer(3, u"W1AW"_qs, u"W1,\"A"_qs, 30, DrillView::StepMode, -1));
    history.recordRun({QDateTime::fromMSecsSinceEpoch(kNoon + 9000), RunRecord::PlainText, u"春, 夏.txt"_qs, 120, 61000});
    history.recordRun({QDateTime::fromMSecsSinceEpoch(kNoon + 99000), RunRecord::Stream, u"stream"_qs, 77, 8000});
    CourseProgress course;
    QVERIFY(course.open(history.database()));
    QVERIFY(course.recordLesson({QDateTime::fromMSecsSinceEpoch(kNoon + 300000), CourseKind::Wabun, 3, 18, 2, 90, 81},
                                {}, 3));
    QVERIFY(course.recordLesson(
        {QDateTime::fromMSecsSinceEpoch(kNoon + 200000), CourseKind::International, 2, 20, 0, 100, 95}, {}, 3));

    const QString csv = folder.filePath(u"out.csv"_qs);
    QString error;
    qsizetype rows = 0;
    QVERIFY2(exportHistoryCsv(history, csv, &error, &rows), qPrintable(error));
    QCOMPARE(rows, 6);
    const QByteArray bytes = contents(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.endsWith("\r\n"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_qs, Qt::SkipEmptyParts);

    // The time comes first: the rest of each line is compared as text, the
    // time by the instant it names, whatever the machine's time zone.
    const QStringList expected = {
        u"time,kind,call_sign,answer,wpm,pitch_hz,mode,verdict,enter_after_ms,source,characters,duration_ms,"
        "course,lesson,space_extra,correct"_qs,
        u",answer,JA1ABC,JA1ABC,25,675,normal,OK,640,,,,,,,"_qs,
        u",answer,W1AW,\"W1,\"\"A\",30,680,step,NG,-1,,,,,,,"_qs,
        u",text,,,,,,,,\"春, 夏.txt\",120,61000,,,,"_qs,
        u",stream,,,,,,,,stream,77,8000,,,,"_qs,
        u",lesson,,,20,,,,,,100,,international,2,0,95"_qs,
        u",lesson,,,18,,,,,,90,,wabun,3,2,81"_qs,
    };
    const qint64 times[] = {0, kNoon, kNoon + 3000, kNoon + 9000, kNoon + 99000, kNoon + 200000, kNoon + 300000};
    QCOMPARE(lines.size(), expected.size());
    QCOMPARE(lines.first(), expected.first());
    for (int row = 1; row < lines.size(); ++row) {
        const qsizetype comma = lines[row].indexOf(u',');
        QCOMPARE(lines[row].mid(comma), expected[row]);
        const QDateTime at = QDateTime::fromString(lines[row].left(comma), Qt::ISODateWithMs);
        QCOMPARE(at.toMSecsSinceEpoch(), times[row]);
        QVERIFY(at.timeSpec() == Qt::OffsetFromUTC || at.timeSpec() == Qt::UTC);
    }
}

void TestPracticeHistory::csvFormulaCells_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::newRow("=") << u"=1+1"_qs << u"\"'=1+1\""_qs;
    QTest::newRow("@") << u"@SUM(1+1)"_qs << u"\"'@SUM(1+1)\""_qs;
    QTest::newRow("+") << u"+81"_qs << u"\"'+81\""_qs;
    QTest::newRow("-") << u"-5"_qs << u"\"'-5\""_qs;
    QTest::newRow("tab") << u"\tA"_qs << u"\"'\tA\""_qs;
    QTest::newRow("CR") << u"\rA"_qs << u"\"'\rA\""_qs;
    QTest::newRow("quotes doubled") << u"=HYPERLINK(\"x\")"_qs << u"\"'=HYPERLINK(\"\"x\"\")\""_qs;
    QTest::newRow("inside is harmless") << u"A=B-C"_qs << u"A=B-C"_qs;
    QTest::newRow("already text") << u"'=1"_qs << u"'=1"_qs;
}

void TestPracticeHistory::csvFormulaCells()
{
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QTemporaryDir folder;
    PracticeHistory history;
    QVERIFY(history.open(folder.path()));
    QVERIFY(history.recordAnswer(answer(0, typed, typed, 25, DrillView::NormalMode, -1)));
    QVERIFY(history.recordRun({QDateTime::fromMSecsSinceEpoch(kNoon), RunRecord::PlainText, typed, 1, 100}));
    const QString csv = folder.filePath(u"out.csv"_qs);
    QString error;
    QVERIFY2(exportHistoryCsv(history, csv, &error), qPrintable(error));
    const QString text = QString::fromUtf8(contents(csv));
    // Call sign and answer of the answer row, the source of the run row; the
    // numbers beside them (-1) stay numbers.
    QVERIFY2(text.contains(u",answer,"_qs + cell + u',' + cell + u",25,675,normal,OK,-1,"_qs), qPrintable(text));
    QVERIFY2(text.contains(u",text,,,,,,,,"_qs + cell + u",1,100,"_qs), qPrintable(text));
}

// Days split at local midnight; the best Step speed is the first time the
// fastest right Step answer came, whatever other modes reached.
void TestPracticeHistory::recordsSummary()
{
    const QDateTime midnight = QDate(2024, 5, 2).startOfDay();
    const auto at = [&](qint64 ms, const QString &copied, int wpm, DrillView::Mode mode) {
        return AnswerRecord{midnight.addMSecs(ms), u"JA1ABC"_qs, copied, wpm, 700, mode, copied == u"JA1ABC"_qs, 500};
    };
    RecordsSummary summary;
    for (const AnswerRecord &a : {at(-60000, u"JA1ABC"_qs, 30, DrillView::StepMode),
                                  at(-1, u"JA1ABD"_qs, 40, DrillView::StepMode),
                                  at(0, u"JA1ABC"_qs, 30, DrillView::StepMode),
                                  at(5000, u"JA1ABC"_qs, 45, DrillView::NormalMode)})
        summary.add(a);
    QCOMPARE(summary.answers(), 4);
    QCOMPARE(summary.correct(), 3);
    const QList<RecordsSummary::Day> days = summary.days();
    QCOMPARE(days.size(), 2);
    QCOMPARE(days[0].date, QDate(2024, 5, 1));
    QCOMPARE(days[0].answers, 2);
    QCOMPARE(days[0].correct, 1);
    QCOMPARE(days[1].answers, 2);
    QCOMPARE(days[1].meanWpm(), 37.5);
    QCOMPARE(summary.bestStep().wpm, 30);
    QCOMPARE(summary.bestStep().at, midnight.addMSecs(-60000));
}

QTEST_GUILESS_MAIN(TestPracticeHistory)
#include "tst_practicehistory.moc"
