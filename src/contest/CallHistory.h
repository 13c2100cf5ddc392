#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The exchanges stations really send, from a call history file of the kind
// contest loggers read: an optional "!!Order!!,Call,Exch1,..." line naming
// the columns, "#" comment lines, then one CALL,EXCH1,... row per station.
// A file without the order line has the columns Call,Exch1.
class CallHistory
{
public:
    // The column names after Call, as the order line gives them.
    const QStringList &columns() const { return m_columns; }
    QStringList callSigns() const { return m_order; }
    bool contains(const QString &callSign) const { return m_rows.contains(callSign.toUpper()); }

    // The value of column (e.g. "Exch1") for callSign; empty when either is unknown.
    QString value(const QString &callSign, const QString &column) const;
    // The first exchange column of callSign.
    QString exchange(const QString &callSign) const;

    // Reads the text; false, with *error (a Japanese reason without the file
    // name, see ContestFileError), when it is not a call history.
    bool parse(const QString &text, QString *error);

private:
    QStringList m_columns;
    QStringList m_order;
    QHash<QString, QStringList> m_rows;
};

inline constexpr qint64 kMaxCallHistoryBytes = 16 * 1024 * 1024;

struct CallHistoryResult {
    bool ok = false;
    CallHistory history;
    QString fileName;
    QString error;  // the message box's text; empty when ok
};

// Reads a call history file (UTF-8; Latin-1 when it is not valid UTF-8).
// Refused with a reason: missing, a folder, larger than kMaxCallHistoryBytes,
// empty, binary, or of another layout.
CallHistoryResult loadCallHistoryFile(const QString &path);
