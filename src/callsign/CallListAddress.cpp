#include "CallListAddress.h"

#include <algorithm>

QList<int> CallListYears(const QDate &today)
{
    int newest = today.isValid() ? today.year() - 1 : CallListNewestKnownYear;
    newest = std::max(newest, CallListNewestKnownYear);
    QList<int> years;
    years.reserve(newest - CallListOldestYear + 1);
    for (int year = newest; year >= CallListOldestYear; --year)
        years.append(year);
    return years;
}

const QList<int> &CallListYears()
{
    static const QList<int> years = CallListYears(QDate::currentDate());
    return years;
}

int CallListYearCount()
{
    return int(CallListYears().size());
}

int CallListYearAt(int index)
{
    return (index >= 0 && index < CallListYearCount()) ? CallListYears().at(index) : 0;
}

int CallListIndexOfYear(int year)
{
    return int(CallListYears().indexOf(year));
}

QString CallListHost()
{
    return QStringLiteral("www.cqww.com");
}

QString CallListEntryText(int index)
{
    const int year = CallListYearAt(index);
    return year ? QStringLiteral("%1 CQ WW DX CW").arg(year) : QString();
}

QString CallListPath(int index)
{
    const int year = CallListYearAt(index);
    return year ? QStringLiteral("/publiclogs/%1cw/").arg(year) : QString();
}

QString CallListAddress(int index)
{
    const QString path = CallListPath(index);
    return path.isEmpty() ? QString() : QStringLiteral("http://") + CallListHost() + path;
}
