#include "contest/exchange/WpxPrefix.h"

#include <QStringList>

namespace {

QString prefixOf(const QString &part)
{
    qsizetype last = -1;
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (part[i].isDigit())
            last = i;
    }
    // A digit at the start alone (as in 4X or 2E) is part of the letters.
    if (last <= 0)
        return part.left(2) + u'0';
    return part.left(last + 1);
}

} // namespace

QString wpxPrefix(const QString &callSign)
{
    static const QStringList ignored{QStringLiteral("P"), QStringLiteral("M"), QStringLiteral("MM"),
                                     QStringLiteral("A"), QStringLiteral("QRP")};
    QStringList parts = callSign.trimmed().toUpper().split(u'/', Qt::SkipEmptyParts);
    while (parts.size() > 1 && ignored.contains(parts.last()))
        parts.removeLast();
    if (parts.isEmpty())
        return {};
    if (parts.size() == 1)
        return prefixOf(parts[0]);
    const bool firstIsHome = parts[0].size() >= parts[1].size();
    const QString home = firstIsHome ? parts[0] : parts[1];
    const QString where = firstIsHome ? parts[1] : parts[0];
    if (where.size() == 1 && where[0].isDigit()) {
        QString prefix = prefixOf(home);
        prefix[prefix.size() - 1] = where[0];
        return prefix;
    }
    return prefixOf(where);
}
