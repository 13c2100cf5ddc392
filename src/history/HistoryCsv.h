#pragma once

#include <QString>

class PracticeHistory;

// The whole history as one CSV table: the answers, then the runs, each oldest
// first, with a kind column ("answer", "stream", "text") telling them apart.
// UTF-8 with a byte-order mark and CR LF line ends, which spreadsheets on
// every desktop read with the Japanese intact; times in local ISO 8601 with
// their UTC offset. Written whole or not at all.
bool exportHistoryCsv(const PracticeHistory &history, const QString &path, QString *error);
