#include "CallSignListCache.h"

#include "CallListTexts.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QByteArray kMagic = QByteArrayLiteral("KEYLARK call-sign list 1");
// Far above the largest list a page can give (the body limit is 32 MB).
constexpr qint64 kMaxCacheFileBytes = 64 * 1024 * 1024;

QByteArray filterName(CallSignFilter filter)
{
    return filter == CallSignFilter::JA ? QByteArrayLiteral("JA") : QByteArrayLiteral("DX");
}

// "name value" of a header line, or nothing when the line is not that.
std::optional<QByteArray> headerValue(const QByteArray &line, const QByteArray &name)
{
    if (!line.startsWith(name + ' '))
        return std::nullopt;
    return line.mid(name.size() + 1);
}

QString dayText(const QDateTime &readAt)
{
    return readAt.toLocalTime().date().toString(QStringLiteral("yyyy年M月d日"));
}

} // namespace

CallSignListCache::CallSignListCache(QString folder)
    : m_folder(std::move(folder))
{
}

QString CallSignListCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/callsigns");
}

QString CallSignListCache::pathOf(int year, CallSignFilter filter) const
{
    return m_folder + QStringLiteral("/cqww-%1cw-%2.txt").arg(year).arg(QString::fromLatin1(filterName(filter).toLower()));
}

bool CallSignListCache::store(int year, CallSignFilter filter, const QStringList &callSigns,
                              const QDateTime &readAt) const
{
    if (callSigns.isEmpty() || !readAt.isValid() || !QDir().mkpath(m_folder))
        return false;
    QByteArray bytes = kMagic + '\n';
    bytes += "year " + QByteArray::number(year) + '\n';
    bytes += "filter " + filterName(filter) + '\n';
    bytes += "read " + readAt.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
    bytes += "count " + QByteArray::number(callSigns.size()) + "\n\n";
    for (const QString &call : callSigns)
        bytes += call.toLatin1() + '\n';
    QSaveFile file(pathOf(year, filter));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::optional<CachedCallSignList> CallSignListCache::lookup(int year, CallSignFilter filter) const
{
    QFile file(pathOf(year, filter));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCacheFileBytes)
        return std::nullopt;
    QList<QByteArray> lines = file.readAll().split('\n');
    // Five header lines, a blank one, the entries, and the end of the last line.
    if (lines.size() < 7 || lines.at(0) != kMagic || lines.at(5) != QByteArray() || lines.last() != QByteArray())
        return std::nullopt;
    const auto fileYear = headerValue(lines.at(1), "year");
    const auto fileFilter = headerValue(lines.at(2), "filter");
    const auto read = headerValue(lines.at(3), "read");
    const auto count = headerValue(lines.at(4), "count");
    if (!fileYear || fileYear->toInt() != year || fileFilter != filterName(filter) || !read || !count)
        return std::nullopt;
    CachedCallSignList cached;
    cached.readAt = QDateTime::fromString(QString::fromLatin1(*read), Qt::ISODate);
    bool countOk = false;
    const qsizetype entries = count->toLongLong(&countOk);
    if (!cached.readAt.isValid() || !countOk || entries < 1 || entries != lines.size() - 7)
        return std::nullopt;
    cached.callSigns.reserve(entries);
    for (qsizetype i = 6; i < lines.size() - 1; ++i) {
        const QString call = QString::fromLatin1(lines.at(i));
        if (!IsCallSign(call))
            return std::nullopt;
        cached.callSigns.append(call);
    }
    return cached;
}

QString cachedListNoticeText(const QDateTime &readAt)
{
    return QStringLiteral("ウェブサイトから読み込めなかったため、%1に読み込んで保存しておいたリストを使います。")
        .arg(dayText(readAt));
}

QString cachedListStatusText(qsizetype count, const QDateTime &readAt)
{
    return callListCountText(count) + QStringLiteral("（%1の保存分）").arg(dayText(readAt));
}
