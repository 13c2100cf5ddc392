#include "CourseResultText.h"

#include "LessonScore.h"

#include <QStringList>

namespace {

// Red and grey that stay readable on the dark style's near-black boxes.
constexpr auto kWrong = "#ff5050";
constexpr auto kMissed = "#9a9a9a";
// Between two columns, and before each line's first one after its label.
constexpr int kColumnGap = 2;
const QString kSentLabel = QStringLiteral("送信");
const QString kTypedLabel = QStringLiteral("入力");
constexpr int kLabelCells = 4;

QString coloured(const QString &html, const char *color)
{
    return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(QLatin1String(color), html);
}

// Kana, kanji and full-width forms take two cells of a monospace font.
int cells(QChar c)
{
    const char16_t u = c.unicode();
    if (c.isNull())
        return 0;
    return (u >= 0x2E80 && u < 0xA000) || (u >= 0xFF01 && u < 0xFF61) ? 2 : 1;
}

struct Column
{
    QString sent;   // html
    QString typed;  // html
    int sentCells = 0;
    int typedCells = 0;

    int width() const { return qMax(sentCells, typedCells); }
};

void addPair(Column &column, const AlignedPair &pair)
{
    const QString sent = QString(pair.sent).toHtmlEscaped();
    const QString typed = QString(pair.copied).toHtmlEscaped();
    switch (pair.op) {
    case AlignedPair::Match:
        column.sent += sent;
        column.typed += typed;
        break;
    case AlignedPair::Substituted:
        column.sent += coloured(sent, kWrong);
        column.typed += coloured(typed, kWrong);
        break;
    case AlignedPair::Missed:
        column.sent += coloured(QStringLiteral("<u>%1</u>").arg(sent), kMissed);
        break;
    case AlignedPair::Extra:
        column.typed += coloured(typed, kWrong);
        break;
    }
    column.sentCells += cells(pair.sent);
    column.typedCells += cells(pair.copied);
}

QList<Column> columns(const QList<AlignedPair> &alignment, const QList<int> &groupSizes)
{
    QList<Column> result(1);
    int group = 0;
    int sentInGroup = 0;
    for (const AlignedPair &pair : alignment) {
        // A group is full once its characters were sent; what comes next that
        // was sent starts the next column, anything typed extra stays.
        const bool full = group < groupSizes.size() && sentInGroup >= groupSizes[group];
        if (full && pair.op != AlignedPair::Extra) {
            result.append(Column());
            ++group;
            sentInGroup = 0;
        }
        addPair(result.last(), pair);
        if (pair.op != AlignedPair::Extra)
            ++sentInGroup;
    }
    return result;
}

QString padded(const QString &html, int have, int width) { return html + QString(width - have, u' '); }

} // namespace

QList<int> sentGroupSizes(const QString &sent)
{
    QList<int> sizes;
    for (const QString &group : sent.split(u' ', Qt::SkipEmptyParts))
        sizes.append(int(foldCopy(group).size()));
    return sizes;
}

QString markedCopyHtml(const QList<AlignedPair> &alignment, const QList<int> &groupSizes, int lineCells)
{
    QStringList lines;
    QString sentLine;
    QString typedLine;
    int used = 0;
    bool begun = false;
    for (const Column &column : columns(alignment, groupSizes)) {
        // A column wider than a line still gets a line of its own.
        if (!begun || (used + kColumnGap + column.width() > lineCells && used > kLabelCells)) {
            begun = true;
            if (!sentLine.isEmpty())
                lines << sentLine << typedLine << QString();
            sentLine = kSentLabel;
            typedLine = kTypedLabel;
            used = kLabelCells;
        }
        sentLine += QString(kColumnGap, u' ') + padded(column.sent, column.sentCells, column.width());
        typedLine += QString(kColumnGap, u' ') + padded(column.typed, column.typedCells, column.width());
        used += kColumnGap + column.width();
    }
    lines << sentLine << typedLine;
    return QStringLiteral("<pre>%1</pre><p><small>赤: 誤り　灰色の下線: 抜け</small></p>").arg(lines.join(u'\n'));
}
