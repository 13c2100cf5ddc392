#pragma once

#include "HistoryRecords.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>

class QLockFile;
class QSqlQuery;

// The practice history: every drill answer and every run of stream listening
// and plain text, kept in an SQLite file that outlives the window.
//
// The history is a guest: when its file cannot be opened, is held by another
// window of the program, is damaged, or was written by a newer version, the
// history says so once (failed()) and stays unavailable; practice goes on
// without it, and the file is left exactly as it was. A lock file beside the
// database keeps a second window out, so two windows never write at once.
class PracticeHistory : public QObject
{
    Q_OBJECT

public:
    explicit PracticeHistory(QObject *parent = nullptr);
    ~PracticeHistory() override;

    // The program's data folder (AppDataLocation).
    static QString defaultFolder();
    static QString filePathIn(const QString &folder);

    // Opens the history in folder, creating the folder and the file when they
    // do not exist, and brings an older file up to the current layout.
    // Returns available().
    bool open(const QString &folder);
    void close();

    bool available() const { return m_db.isValid() && m_db.isOpen(); }
    // Why the history is unavailable, in the user's words; empty before open().
    QString errorText() const { return m_errorText; }
    QString filePath() const { return m_path; }
    // The open connection, for companions that keep tables of their own in
    // the same file; invalid while the history is unavailable.
    const QSqlDatabase &database() const { return m_db; }

    // Each in a transaction of its own. A failed write makes the history
    // unavailable (failed() is emitted); false when nothing was written.
    bool recordAnswer(const AnswerRecord &answer);
    bool recordRun(const RunRecord &run);

    // Every answer or run, oldest first; false when the history cannot be read.
    bool readAnswers(const std::function<void(const AnswerRecord &)> &visit) const;
    bool readRuns(const std::function<void(const RunRecord &)> &visit) const;

signals:
    // The history has just become unavailable; message is errorText().
    void failed(const QString &message);

private:
    // Empty when the database is ready; else why it is not.
    QString openDatabase();
    bool refuse(const QString &message);
    bool writeFailed(const QString &reason);

    QString m_path;
    QString m_connectionName;
    QString m_errorText;
    std::unique_ptr<QLockFile> m_lock;
    QSqlDatabase m_db;
    std::unique_ptr<QSqlQuery> m_insertAnswer;
    std::unique_ptr<QSqlQuery> m_insertRun;
};
