#include "CourseResultText.h"

namespace {

// Red and grey that stay readable on the dark style's near-black boxes.
constexpr auto kWrong = "#ff5050";
constexpr auto kMissed = "#9a9a9a";

QString coloured(const QString &html, const char *color)
{
    return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(QLatin1String(color), html);
}

QString escaped(QChar c) { return QString(c).toHtmlEscaped(); }

} // namespace

QString markedCopyHtml(const QList<AlignedPair> &alignment)
{
    QString sentLine;
    QString copiedLine;
    for (const AlignedPair &pair : alignment) {
        switch (pair.op) {
        case AlignedPair::Match:
            sentLine += escaped(pair.sent);
            copiedLine += escaped(pair.copied);
            break;
        case AlignedPair::Substituted:
            sentLine += coloured(escaped(pair.sent), kWrong);
            copiedLine += coloured(escaped(pair.copied), kWrong);
            break;
        case AlignedPair::Missed:
            sentLine += coloured(QStringLiteral("<u>%1</u>").arg(escaped(pair.sent)), kMissed);
            break;
        case AlignedPair::Extra:
            copiedLine += coloured(escaped(pair.copied), kWrong);
            break;
        }
    }
    return QStringLiteral("<p>送信: %1</p><p>入力: %2</p><p><small>赤: 誤り　灰色の下線: 抜け</small></p>")
        .arg(sentLine, copiedLine);
}
