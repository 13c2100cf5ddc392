#pragma once

#include <QList>
#include <QString>

// The characters to point out in a wrong copy, as 0-based indexes into each
// text: in what was copied, those copied wrong or slipped in; in what was
// sent, those missed or copied wrong. A right copy has none.
struct CopyMarks
{
    QList<int> sent;
    QList<int> copied;
};

// Marks along the shortest edit that alignCopy finds; characters are compared
// exactly, as the answer is judged.
CopyMarks markCopyErrors(const QString &sent, const QString &copied);
