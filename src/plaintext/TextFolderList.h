#pragma once

#include <QString>
#include <QStringList>

// The text files random-file mode picks from: the bare names of the ordinary,
// non-hidden files of one folder whose names end in ".txt" (in any case, as the
// "*.txt" pattern matches on Windows), sorted by name without regard to case.
//
// The names are read when the list is pointed at a folder, or on first use, and
// are then kept: files added to the folder later are not seen until another
// folder is chosen. The folder is kept as an absolute path, so a name is always
// opened from the list's folder, whatever the working directory is meanwhile;
// the process's working directory is never changed.
class TextFolderList
{
public:
    // Starts at the given folder (the working directory by default) without
    // reading it yet.
    explicit TextFolderList(const QString &folder = QString());

    // Points the list at a folder and reads its names, unless the list already
    // has that folder. A folder that cannot be read leaves the previous folder
    // and names in place and returns false; errorString() then says why.
    bool setFolder(const QString &folder);

    QString folder() const { return m_folder; }
    int count() const;
    // The bare name at index, 0 <= index < count().
    QString name(int index) const;
    QStringList names() const;
    // The full path of a name in the list's folder.
    QString filePath(const QString &name) const;

    // Why the last read failed, naming the folder.
    QString errorString() const { return m_errorString; }

private:
    void readIfNeeded() const;
    static bool read(const QString &folder, QStringList *names, QString *error);

    QString m_folder;
    mutable QStringList m_names;
    mutable bool m_read = false;
    mutable QString m_errorString;
};
