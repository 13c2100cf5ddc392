#include "HistoryCsv.h"

#include "CourseProgress.h"
#include "PracticeHistory.h"

#include <algorithm>

#include <QSaveFile>
#include <QStringList>

namespace {

// A cell as written: quoted when it holds a separator, a quote, a line break
// or spaces at its ends. A text cell whose first character would make a
// spreadsheet read it as a formula is also quoted, behind a single quote.
QString csvField(const QString &value, bool text)
{
    static constexpr QStringView formulaStarts = u"=+-@\t\r";
    const bool formula = text && !value.isEmpty() && formulaStarts.contains(value.front());
    const bool quoted = formula || value.contains(u',') || value.contains(u'"') || value.contains(u'\r')
        || value.contains(u'\n') || value.startsWith(u' ') || value.endsWith(u' ');
    if (!quoted)
        return value;
    QString doubled = formula ? u'\'' + value : value;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

// The columns of every row, in file order; text marks the cells that come
// from what the user typed or from a file's name.
enum Column { Time, Kind, CallSign, Answer, Wpm, PitchHz, Mode, Verdict, EnterAfterMs, Source, Characters,
              DurationMs, Course, Lesson, SpaceExtra, Correct, ColumnCount };
constexpr bool kTextColumn[ColumnCount] = {false, false, true, true, false, false, false, false,
                                           false, true, false, false, false, false, false, false};

QString isoTime(const QDateTime &at)
{
    const QDateTime local = at.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

void writeRow(QSaveFile &file, const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (qsizetype column = 0; column < fields.size(); ++column)
        escaped.append(csvField(fields[column], column < ColumnCount && kTextColumn[column]));
    file.write((escaped.join(u',') + QStringLiteral("\r\n")).toUtf8());
}

QStringList emptyRow()
{
    return QStringList(ColumnCount, QString());
}

// Every lesson of both courses, oldest first; false when the course's tables
// cannot be read.
bool courseLessons(const PracticeHistory &history, QList<CourseLessonRecord> *lessons)
{
    CourseProgress progress;
    if (!progress.open(history.database()))
        return false;
    for (const CourseKind kind : {CourseKind::International, CourseKind::Wabun})
        *lessons += progress.lessons(kind);
    std::stable_sort(lessons->begin(), lessons->end(),
                     [](const CourseLessonRecord &a, const CourseLessonRecord &b) { return a.at < b.at; });
    return true;
}

} // namespace

bool exportHistoryCsv(const PracticeHistory &history, const QString &path, QString *error, qsizetype *rows)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    file.write("\xEF\xBB\xBF");
    writeRow(file, {QStringLiteral("time"), QStringLiteral("kind"), QStringLiteral("call_sign"),
                    QStringLiteral("answer"), QStringLiteral("wpm"), QStringLiteral("pitch_hz"),
                    QStringLiteral("mode"), QStringLiteral("verdict"), QStringLiteral("enter_after_ms"),
                    QStringLiteral("source"), QStringLiteral("characters"), QStringLiteral("duration_ms"),
                    QStringLiteral("course"), QStringLiteral("lesson"), QStringLiteral("space_extra"),
                    QStringLiteral("correct")});
    qsizetype written = 0;
    const bool read = history.readAnswers([&](const AnswerRecord &answer) {
        QStringList row = emptyRow();
        row[Time] = isoTime(answer.at);
        row[Kind] = QStringLiteral("answer");
        row[CallSign] = answer.callSign;
        row[Answer] = answer.answer;
        row[Wpm] = QString::number(answer.wpm);
        row[PitchHz] = QString::number(answer.pitchHz);
        row[Mode] = modeName(answer.mode);
        row[Verdict] = verdictName(answer.correct);
        row[EnterAfterMs] = QString::number(answer.enterAfterMs);
        writeRow(file, row);
        ++written;
    }) && history.readRuns([&](const RunRecord &run) {
        QStringList row = emptyRow();
        row[Time] = isoTime(run.at);
        row[Kind] = runKindName(run.kind);
        row[Source] = run.source;
        row[Characters] = QString::number(run.characters);
        row[DurationMs] = QString::number(run.durationMs);
        writeRow(file, row);
        ++written;
    });
    QList<CourseLessonRecord> lessons;
    if (!read || !courseLessons(history, &lessons)) {
        file.cancelWriting();
        *error = history.available() ? QStringLiteral("練習履歴を読めません") : history.errorText();
        return false;
    }
    for (const CourseLessonRecord &lesson : lessons) {
        QStringList row = emptyRow();
        row[Time] = isoTime(lesson.at);
        row[Kind] = QStringLiteral("lesson");
        row[Wpm] = QString::number(lesson.wpm);
        row[Characters] = QString::number(lesson.sent);
        row[Course] = courseKey(lesson.course);
        row[Lesson] = QString::number(lesson.lesson);
        row[SpaceExtra] = QString::number(lesson.spaceExtra);
        row[Correct] = QString::number(lesson.correct);
        writeRow(file, row);
        ++written;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    if (rows)
        *rows = written;
    return true;
}
