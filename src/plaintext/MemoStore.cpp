#include "MemoStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

MemoStore::MemoStore(const QString &path, std::function<QString()> text, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_text(std::move(text))
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(kSaveDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &MemoStore::save);
}

QString MemoStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/memo.txt");
}

QString MemoStore::load() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // Files saved with CR LF line ends (by earlier versions, or edited by
    // hand elsewhere) read the same as LF ones.
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void MemoStore::edited()
{
    m_delay.start();
}

void MemoStore::flush()
{
    if (m_delay.isActive())
        save();
}

void MemoStore::save()
{
    m_delay.stop();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;  // the memo on screen is untouched; the next edit tries again
    // Saved with LF line ends, as text files are on Linux.
    file.write(m_text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());
    file.commit();
}
