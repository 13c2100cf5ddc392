#pragma once

#include <QString>

// What the contest's message boxes say about the files it reads, in the form
// the call-sign files use: ファイル "name" and what is wrong with it.

QString ContestFileError(const QString &fileName, const QString &what);

QString ContestFileMissingText();
QString ContestFileTooLargeText(qint64 maxBytes);
QString ContestFileUnreadableText(const QString &why);
QString ContestFileEmptyText();
QString ContestFileBinaryText();

// The country file: no country in it, or the line where it stops making sense.
QString CtyEmptyText();
QString CtyDamagedText(int line);

// A call history file whose header or a row is not of the expected layout.
QString CallHistoryHeaderText();
QString CallHistoryRowText(int line);
