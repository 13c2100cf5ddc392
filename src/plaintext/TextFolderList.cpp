#include "TextFolderList.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString absoluteFolder(const QString &folder)
{
    return QDir::cleanPath(QDir(folder.isEmpty() ? QDir::currentPath() : folder).absolutePath());
}

} // namespace

TextFolderList::TextFolderList(const QString &folder)
    : m_folder(absoluteFolder(folder))
{
}

bool TextFolderList::setFolder(const QString &folder)
{
    const QString absolute = absoluteFolder(folder);
    if (absolute == m_folder && m_read)
        return true;

    QStringList names;
    QString error;
    if (!read(absolute, &names, &error)) {
        m_errorString = error;
        return false;
    }
    m_folder = absolute;
    m_names = names;
    m_read = true;
    m_errorString.clear();
    return true;
}

int TextFolderList::count() const
{
    readIfNeeded();
    return int(m_names.size());
}

QString TextFolderList::name(int index) const
{
    readIfNeeded();
    return index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

QStringList TextFolderList::names() const
{
    readIfNeeded();
    return m_names;
}

QString TextFolderList::filePath(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

void TextFolderList::readIfNeeded() const
{
    if (m_read)
        return;
    // A folder that cannot be read on first use gives an empty list, which the
    // caller reports as a folder without text files; it is not read again.
    m_read = true;
    QString error;
    if (!read(m_folder, &m_names, &error))
        m_errorString = error;
}

bool TextFolderList::read(const QString &folder, QStringList *names, QString *error)
{
    const QFileInfo info(folder);
    QString reason;
    if (!info.exists())
        reason = QStringLiteral("フォルダがありません");
    else if (!info.isDir())
        reason = QStringLiteral("フォルダではありません");
    else if (!info.isReadable() || !info.isExecutable())
        reason = QStringLiteral("フォルダを読む権限がありません");
    if (!reason.isEmpty()) {
        *error = QStringLiteral("フォルダ「%1」を読めません。%2").arg(QDir::toNativeSeparators(folder), reason);
        return false;
    }

    // Without QDir::Hidden, QDir::System and QDir::CaseSensitive: no dot files,
    // no devices, pipes or broken links, and ".TXT" matches as well.
    QStringList found = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::NoSort);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    *names = found;
    return true;
}
