#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Keeps the memo across runs: a moment after the last edit the whole text is
// written to a new file that replaces the old one in one step, so a crash at
// any time leaves the last saved text, never an empty or half-written file.
class MemoStore : public QObject
{
    Q_OBJECT

public:
    // text gives the memo as it is when the save is due.
    MemoStore(const QString &path, std::function<QString()> text, QObject *parent = nullptr);

    // memo.txt in the user's data folder (~/.local/share/KEYLARK/ on Linux).
    static QString defaultPath();

    // The text saved by an earlier run, with LF line ends whether it was saved
    // with LF or CR LF; empty when there is none. A save writes LF line ends.
    QString load() const;
    // The memo was edited: save once the edits pause.
    void edited();
    // Writes a pending save now; the owner calls it while the text can still be read.
    void flush();

    static constexpr int kSaveDelayMs = 1000;

private:
    void save();

    QString m_path;
    std::function<QString()> m_text;
    QTimer m_delay;
};
