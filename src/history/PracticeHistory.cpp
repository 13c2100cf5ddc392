#include "PracticeHistory.h"

#include "HistorySchema.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

const QString kTail = QStringLiteral("このウィンドウの練習は履歴に残りません。");

QString lockedText()
{
    return QStringLiteral("練習履歴はほかの KEYLARK のウィンドウが使っています。") + kTail;
}

QString cannotOpenText(const QString &path, const QString &reason)
{
    return QStringLiteral("練習履歴 %1 を開けません（%2）。").arg(QDir::toNativeSeparators(path), reason) + kTail;
}

QString damagedText(const QString &path)
{
    return QStringLiteral("練習履歴「%1」は壊れているため読めません。ファイルはそのまま残してあります。")
               .arg(QDir::toNativeSeparators(path))
        + kTail;
}

QString foreignText(const QString &path)
{
    return QStringLiteral("「%1」は KEYLARK の練習履歴ではありません。ファイルはそのまま残してあります。")
               .arg(QDir::toNativeSeparators(path))
        + kTail;
}

QString newerText(const QString &path)
{
    return QStringLiteral("練習履歴「%1」は新しい版の KEYLARK で書かれています。ファイルはそのまま残してあります。")
               .arg(QDir::toNativeSeparators(path))
        + kTail;
}

QString writeFailedText(const QString &reason)
{
    return QStringLiteral("練習履歴に書き込めません（%1）。これからの練習は履歴に残りません。").arg(reason);
}

// SQLite reports a damaged file, or one that is no database at all, with these
// primary result codes (SQLITE_CORRUPT, SQLITE_NOTADB).
bool isDamage(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// A file that exists and is not empty must start with SQLite's header before
// SQLite is let near it, so that no other kind of file is ever taken over.
enum class Header { New, Sqlite, Other, Unreadable };

Header fileHeader(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return Header::New;
    if (!file.open(QIODevice::ReadOnly))
        return Header::Unreadable;
    const QByteArray head = file.read(16);
    if (head.isEmpty())
        return Header::New;
    return head == QByteArray("SQLite format 3", 16) ? Header::Sqlite : Header::Other;
}

int nextConnection = 0;

} // namespace

PracticeHistory::PracticeHistory(QObject *parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("keylark-history-%1").arg(++nextConnection))
{
}

PracticeHistory::~PracticeHistory()
{
    close();
}

QString PracticeHistory::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString PracticeHistory::filePathIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("history.sqlite"));
}

bool PracticeHistory::open(const QString &folder)
{
    close();
    m_errorText.clear();
    m_path = filePathIn(folder);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return refuse(cannotOpenText(m_path, QStringLiteral("フォルダを作れません")));

    m_lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    // A lock is stale only when its process is gone, however long a window
    // has been open.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        const bool held = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        return refuse(held ? lockedText() : cannotOpenText(m_path, QStringLiteral("ロックファイルを作れません")));
    }

    switch (fileHeader(m_path)) {
    case Header::Unreadable: return refuse(cannotOpenText(m_path, QStringLiteral("読み取れません")));
    case Header::Other: return refuse(damagedText(m_path));
    case Header::New:
    case Header::Sqlite: break;
    }
    // The queries of the opening are gone before a refusal closes the connection.
    const QString failure = openDatabase();
    if (!failure.isEmpty())
        return refuse(failure);
    return true;
}

QString PracticeHistory::openDatabase()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return cannotOpenText(m_path, QStringLiteral("SQLite のドライバがありません"));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    if (!m_db.open())
        return cannotOpenText(m_path, m_db.lastError().text());

    // Reading every page before anything is written: a damaged file is found
    // here, not half-way through an answer.
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        const QSqlError error = check.lastError();
        return isDamage(error) ? damagedText(m_path) : cannotOpenText(m_path, error.text());
    }
    if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
        return damagedText(m_path);
    check.finish();

    QString error;
    const int version = HistorySchema::version(m_db, &error);
    if (!error.isEmpty())
        return cannotOpenText(m_path, error);
    if (version == HistorySchema::kForeignFile)
        return foreignText(m_path);
    if (version > HistorySchema::kCurrentVersion)
        return newerText(m_path);

    // WAL: an answer costs one append, and a crash mid-write leaves the
    // history as it was before that answer. NORMAL sync is safe with WAL; at
    // worst the last answers before a power cut are lost.
    QSqlQuery pragma(m_db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));

    if (!HistorySchema::upgrade(m_db, version, HistorySchema::kCurrentVersion, &error))
        return cannotOpenText(m_path, error);

    m_insertAnswer = std::make_unique<QSqlQuery>(m_db);
    m_insertRun = std::make_unique<QSqlQuery>(m_db);
    const bool prepared =
        m_insertAnswer->prepare(QStringLiteral(
            "INSERT INTO answers (at_ms, call_sign, answer, wpm, pitch_hz, mode, verdict, enter_after_ms)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"))
        && m_insertRun->prepare(QStringLiteral(
            "INSERT INTO runs (at_ms, kind, source, characters, duration_ms) VALUES (?, ?, ?, ?, ?)"));
    if (!prepared)
        return cannotOpenText(m_path, m_insertAnswer->lastError().text() + m_insertRun->lastError().text());
    return QString();
}

void PracticeHistory::close()
{
    m_insertAnswer.reset();
    m_insertRun.reset();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_lock.reset();
}

bool PracticeHistory::refuse(const QString &message)
{
    close();
    m_errorText = message;
    emit failed(message);
    return false;
}

bool PracticeHistory::writeFailed(const QString &reason)
{
    m_db.rollback();
    return refuse(writeFailedText(reason));
}

// ---- Writing ------------------------------------------------------------------

bool PracticeHistory::recordAnswer(const AnswerRecord &answer)
{
    if (!available())
        return false;
    if (!m_db.transaction())
        return writeFailed(m_db.lastError().text());
    QSqlQuery &insert = *m_insertAnswer;
    insert.addBindValue(answer.at.toMSecsSinceEpoch());
    insert.addBindValue(answer.callSign);
    insert.addBindValue(answer.answer);
    insert.addBindValue(answer.wpm);
    insert.addBindValue(answer.pitchHz);
    insert.addBindValue(modeName(answer.mode));
    insert.addBindValue(verdictName(answer.correct));
    insert.addBindValue(answer.enterAfterMs);
    if (!insert.exec())
        return writeFailed(insert.lastError().text());
    if (!m_db.commit())
        return writeFailed(m_db.lastError().text());
    return true;
}

bool PracticeHistory::recordRun(const RunRecord &run)
{
    if (!available())
        return false;
    if (!m_db.transaction())
        return writeFailed(m_db.lastError().text());
    QSqlQuery &insert = *m_insertRun;
    insert.addBindValue(run.at.toMSecsSinceEpoch());
    insert.addBindValue(runKindName(run.kind));
    insert.addBindValue(run.source);
    insert.addBindValue(run.characters);
    insert.addBindValue(run.durationMs);
    if (!insert.exec())
        return writeFailed(insert.lastError().text());
    if (!m_db.commit())
        return writeFailed(m_db.lastError().text());
    return true;
}

// ---- Reading ------------------------------------------------------------------

bool PracticeHistory::readAnswers(const std::function<void(const AnswerRecord &)> &visit) const
{
    if (!available())
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT at_ms, call_sign, answer, wpm, pitch_hz, mode, verdict, enter_after_ms"
                                   " FROM answers ORDER BY id")))
        return false;
    AnswerRecord record;
    while (query.next()) {
        record.at = QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong(), Qt::UTC);
        record.callSign = query.value(1).toString();
        record.answer = query.value(2).toString();
        record.wpm = query.value(3).toInt();
        record.pitchHz = query.value(4).toInt();
        record.mode = modeFromName(query.value(5).toString());
        record.correct = query.value(6).toString() == verdictName(true);
        record.enterAfterMs = query.value(7).toLongLong();
        visit(record);
    }
    return query.lastError().type() == QSqlError::NoError;
}

bool PracticeHistory::readRuns(const std::function<void(const RunRecord &)> &visit) const
{
    if (!available())
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT at_ms, kind, source, characters, duration_ms FROM runs ORDER BY id")))
        return false;
    RunRecord record;
    while (query.next()) {
        record.at = QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong(), Qt::UTC);
        record.kind = runKindFromName(query.value(1).toString());
        record.source = query.value(2).toString();
        record.characters = query.value(3).toInt();
        record.durationMs = query.value(4).toLongLong();
        visit(record);
    }
    return query.lastError().type() == QSqlError::NoError;
}
