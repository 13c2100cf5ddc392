#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>

// Figures of this process that a long run must keep flat.
namespace ProcessFigures {

// Resident memory in kB (VmRSS of /proc/self/status); -1 when unknown.
inline qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Open file descriptors, sockets and pipes included.
inline qint64 openFiles()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
}

} // namespace ProcessFigures
