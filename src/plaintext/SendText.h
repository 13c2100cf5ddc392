#pragma once

#include <QString>

// Removes every CR LF pair; a lone CR or LF stays.
QString RemoveLineBreaks(QString text);

// Replaces each bracket notation of a practice text ("[AR]", "[ホレ]", ...) by
// the key character that the Morse tables map to that sign, letters compared
// without regard to case.
QString ReplaceBracketNotations(QString text);

// The memo text as it is sent: line breaks removed first, so that a notation
// split across two lines is joined, then the notations replaced.
QString PrepareSendText(const QString &memoText);
