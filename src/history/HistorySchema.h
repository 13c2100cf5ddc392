#pragma once

#include <QString>

class QSqlDatabase;

// The layout of the practice history file and the steps that bring a file of
// any earlier layout up to the current one. A step is never changed once
// released: a new layout is a new step.
namespace HistorySchema {

inline constexpr int kCurrentVersion = 2;
// What version() says of a file that holds tables but no schema_version: the
// file belongs to something else and is left alone.
inline constexpr int kForeignFile = -1;

// The layout version the file holds; 0 for a new, empty database. Empty with
// error set when the file cannot be read.
int version(const QSqlDatabase &db, QString *error);

// Runs the steps after version from, up to and including to, each in a
// transaction of its own, so that a failed step leaves the file at the
// version before it.
bool upgrade(const QSqlDatabase &db, int from, int to, QString *error);

} // namespace HistorySchema
