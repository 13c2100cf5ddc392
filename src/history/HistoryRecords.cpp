#include "HistoryRecords.h"

// The stored words are part of the file format and of the CSV export: they
// never change with the window's captions.

QString modeName(DrillView::Mode mode)
{
    switch (mode) {
    case DrillView::StepMode: return QStringLiteral("step");
    case DrillView::RandomMode: return QStringLiteral("random");
    case DrillView::NormalMode: break;
    }
    return QStringLiteral("normal");
}

DrillView::Mode modeFromName(const QString &name)
{
    if (name == QLatin1String("step"))
        return DrillView::StepMode;
    if (name == QLatin1String("random"))
        return DrillView::RandomMode;
    return DrillView::NormalMode;
}

QString verdictName(bool correct)
{
    return correct ? QStringLiteral("OK") : QStringLiteral("NG");
}

QString runKindName(RunRecord::Kind kind)
{
    return kind == RunRecord::Stream ? QStringLiteral("stream") : QStringLiteral("text");
}

RunRecord::Kind runKindFromName(const QString &name)
{
    return name == QLatin1String("stream") ? RunRecord::Stream : RunRecord::PlainText;
}
