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
    return QString::fromUtf8(file.readAll());
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
    file.write(m_text().toUtf8());
    file.commit();
}
