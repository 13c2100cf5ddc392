#include "HistorySchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// Step n brings a file from version n - 1 to version n.
const QStringList &stepStatements(int version)
{
    // The first layout: the drill's answers and the runs of stream listening
    // and plain text.
    static const QStringList version1 = {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("INSERT INTO schema_version (version) VALUES (0)"),
        QStringLiteral("CREATE TABLE answers ("
                       " id INTEGER PRIMARY KEY,"
                       " at_ms INTEGER NOT NULL,"  // UTC, milliseconds since 1970
                       " call_sign TEXT NOT NULL,"
                       " answer TEXT NOT NULL,"
                       " wpm INTEGER NOT NULL,"
                       " pitch_hz INTEGER NOT NULL,"
                       " mode TEXT NOT NULL,"
                       " verdict TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE runs ("
                       " id INTEGER PRIMARY KEY,"
                       " at_ms INTEGER NOT NULL,"
                       " kind TEXT NOT NULL,"
                       " source TEXT NOT NULL,"
                       " characters INTEGER NOT NULL,"
                       " duration_ms INTEGER NOT NULL)"),
    };
    // How long the user took to answer, from the end of the call sign's sound
    // to Enter; answers kept before it was measured read -1 (not known).
    static const QStringList version2 = {
        QStringLiteral("ALTER TABLE answers ADD COLUMN enter_after_ms INTEGER NOT NULL DEFAULT -1"),
    };
    static const QStringList none;
    switch (version) {
    case 1: return version1;
    case 2: return version2;
    default: return none;
    }
}

bool fail(const QSqlError &error, QString *text)
{
    if (text)
        *text = error.text();
    return false;
}

bool runStep(QSqlDatabase db, int version, QString *error)
{
    if (!db.transaction())
        return fail(db.lastError(), error);
    for (const QString &statement : stepStatements(version)) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            const QSqlError failure = query.lastError();
            db.rollback();
            return fail(failure, error);
        }
    }
    QSqlQuery stamp(db);
    stamp.prepare(QStringLiteral("UPDATE schema_version SET version = ?"));
    stamp.addBindValue(version);
    if (!stamp.exec()) {
        const QSqlError failure = stamp.lastError();
        db.rollback();
        return fail(failure, error);
    }
    if (!db.commit())
        return fail(db.lastError(), error);
    return true;
}

} // namespace

namespace HistorySchema {

int version(const QSqlDatabase &db, QString *error)
{
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        fail(tables.lastError(), error);
        return 0;
    }
    bool any = false;
    bool versioned = false;
    while (tables.next()) {
        any = true;
        versioned = versioned || tables.value(0).toString() == QLatin1String("schema_version");
    }
    if (!any)
        return 0;
    if (!versioned)
        return kForeignFile;
    QSqlQuery stored(db);
    if (!stored.exec(QStringLiteral("SELECT version FROM schema_version"))) {
        fail(stored.lastError(), error);
        return 0;
    }
    if (!stored.next()) {
        if (error)
            *error = QStringLiteral("schema_version has no row");
        return 0;
    }
    return stored.value(0).toInt();
}

bool upgrade(const QSqlDatabase &db, int from, int to, QString *error)
{
    for (int step = from + 1; step <= to; ++step) {
        if (!runStep(db, step, error))
            return false;
    }
    return true;
}

} // namespace HistorySchema
