#include "CallListAddress.h"

namespace {

// Index 0 is the newest year.
int yearAt(int index)
{
    return (index >= 0 && index < CallListYearCount) ? 2017 - index : 0;
}

} // namespace

QString CallListHost()
{
    return QStringLiteral("www.cqww.com");
}

QString CallListEntryText(int index)
{
    const int year = yearAt(index);
    return year ? QStringLiteral("%1 CQ WW DX CW").arg(year) : QString();
}

QString CallListPath(int index)
{
    const int year = yearAt(index);
    return year ? QStringLiteral("/publiclogs/%1cw/").arg(year) : QString();
}

QString CallListAddress(int index)
{
    const QString path = CallListPath(index);
    return path.isEmpty() ? QString() : QStringLiteral("http://") + CallListHost() + path;
}
