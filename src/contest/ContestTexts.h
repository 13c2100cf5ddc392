#pragma once

#include <QString>

// What the contest's message boxes say about the files it reads, in the form
// the call-sign files use: ファイル "name" and what is wrong with it.

QString contestFileError(const QString &fileName, const QString &what);

QString contestFileMissingText();
QString contestFileTooLargeText(qint64 maxBytes);
QString contestFileUnreadableText(const QString &why);
QString contestFileEmptyText();
QString contestFileBinaryText();

// The country file: no country in it, or the line where it stops making sense.
QString ctyEmptyText();
QString ctyDamagedText(int line);

// A call history file whose header or a row is not of the expected layout.
QString callHistoryHeaderText();
QString callHistoryRowText(int line);
