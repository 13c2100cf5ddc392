#include "PracticeMode.h"

QStringList modeNames()
{
    return {QStringLiteral("normal"), QStringLiteral("step"), QStringLiteral("random")};
}

QString modeName(PracticeMode mode)
{
    return modeNames().value(int(mode), modeNames().first());
}

PracticeMode modeFromName(const QString &name)
{
    const qsizetype index = modeNames().indexOf(name);
    return index < 0 ? PracticeMode::Normal : PracticeMode(index);
}
