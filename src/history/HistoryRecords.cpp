#include "HistoryRecords.h"

// The stored words are part of the file format and of the CSV export: they
// never change with the window's captions.

QString runKindName(RunRecord::Kind kind)
{
    return kind == RunRecord::Stream ? QStringLiteral("stream") : QStringLiteral("text");
}

RunRecord::Kind runKindFromName(const QString &name)
{
    return name == QLatin1String("stream") ? RunRecord::Stream : RunRecord::PlainText;
}
