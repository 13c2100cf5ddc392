#pragma once

#include <QString>

class PracticeHistory;

// The whole history as one CSV table: the answers, the runs, then the course
// lessons, each oldest first, with a kind column ("answer", "stream", "text",
// "lesson") telling them apart. UTF-8 with a byte-order mark and CR LF line
// ends, which spreadsheets on every desktop read with the Japanese intact;
// times in local ISO 8601 with their UTC offset. A text cell (a call sign, an
// answer, a file name) that begins with "=", "+", "-", "@", a tab or a CR is
// written quoted behind a single quote, so that a spreadsheet shows it as text
// instead of evaluating it as a formula. Written whole or not at all; rows,
// when given, receives how many records were written.
bool exportHistoryCsv(const PracticeHistory &history, const QString &path, QString *error,
                      qsizetype *rows = nullptr);
