#include "CallListAddress.h"

#include <algorithm>

QList<int> callListYears(const QDate &today)
{
    int newest = today.isValid() ? today.year() - 1 : CallListNewestKnownYear;
    newest = std::max(newest, CallListNewestKnownYear);
    QList<int> years;
    years.reserve(newest - CallListOldestYear + 1);
    for (int year = newest; year >= CallListOldestYear; --year)
        years.append(year);
    return years;
}

const QList<int> &callListYears()
{
    static const QList<int> years = callListYears(QDate::currentDate());
    return years;
}

int callListYearCount()
{
    return int(callListYears().size());
}

int callListYearAt(int index)
{
    return (index >= 0 && index < callListYearCount()) ? callListYears().at(index) : 0;
}

int callListIndexOfYear(int year)
{
    return int(callListYears().indexOf(year));
}

QString callListHost()
{
    return QStringLiteral("www.cqww.com");
}

QString callListEntryText(int index)
{
    const int year = callListYearAt(index);
    return year ? QStringLiteral("%1 CQ WW DX CW").arg(year) : QString();
}

QString callListPath(int index)
{
    const int year = callListYearAt(index);
    return year ? QStringLiteral("/publiclogs/%1cw/").arg(year) : QString();
}

QString callListAddress(int index)
{
    const QString path = callListPath(index);
    return path.isEmpty() ? QString() : QStringLiteral("http://") + callListHost() + path;
}
