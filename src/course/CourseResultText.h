#pragma once

#include "marking/CopyAlignment.h"

#include <QList>
#include <QString>

// A lesson's copy for the result box, group by group: each group sent over
// what was typed for it, in columns padded to line up in a monospace font,
// as many columns to a line as fit lineCells half-width cells (a full-width
// character takes two). What was sent shows the characters copied wrong in
// red and the missed ones dimmed and underlined; what was typed shows every
// character that is not what was sent in red. groupSizes are the lengths of
// the sent groups in the alignment's folded form; characters typed past the
// end of a group stay in that group's column.
QString markedCopyHtml(const QList<AlignedPair> &alignment, const QList<int> &groupSizes, int lineCells);

// The lengths of the groups of a lesson's sent text, folded as it is scored.
QList<int> sentGroupSizes(const QString &sent);
