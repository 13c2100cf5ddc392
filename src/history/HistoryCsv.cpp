#include "HistoryCsv.h"

#include "PracticeHistory.h"

#include <QSaveFile>
#include <QStringList>

namespace {

QString csvField(const QString &value)
{
    const bool quoted = value.contains(u',') || value.contains(u'"') || value.contains(u'\r')
        || value.contains(u'\n') || value.startsWith(u' ') || value.endsWith(u' ');
    if (!quoted)
        return value;
    QString doubled = value;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QString isoTime(const QDateTime &at)
{
    const QDateTime local = at.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

void writeRow(QSaveFile &file, const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString &field : fields)
        escaped.append(csvField(field));
    file.write((escaped.join(u',') + QStringLiteral("\r\n")).toUtf8());
}

} // namespace

bool exportHistoryCsv(const PracticeHistory &history, const QString &path, QString *error)
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
                    QStringLiteral("source"), QStringLiteral("characters"), QStringLiteral("duration_ms")});
    const bool read = history.readAnswers([&file](const AnswerRecord &answer) {
        writeRow(file, {isoTime(answer.at), QStringLiteral("answer"), answer.callSign, answer.answer,
                        QString::number(answer.wpm), QString::number(answer.pitchHz), modeName(answer.mode),
                        verdictName(answer.correct), QString::number(answer.enterAfterMs), QString(), QString(),
                        QString()});
    }) && history.readRuns([&file](const RunRecord &run) {
        writeRow(file, {isoTime(run.at), runKindName(run.kind), QString(), QString(), QString(), QString(),
                        QString(), QString(), QString(), run.source, QString::number(run.characters),
                        QString::number(run.durationMs)});
    });
    if (!read) {
        file.cancelWriting();
        *error = history.available() ? QStringLiteral("練習履歴を読めません") : history.errorText();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
