#pragma once

#include <QString>
#include <QStringList>

// Joins the lines of a practice text. A line break (CR LF, LF or CR, or a run
// of them) between two words becomes one space, so that the words do not run
// together; it is removed where a space is already beside it, between two
// Japanese characters (kana, kanji, Japanese punctuation, full-width and
// half-width forms: text written without spaces; a Latin word on one side
// still gets its space), and between a '[' and
// its ']', so that a notation split across lines still joins. Line breaks at
// the start and end vanish.
QString joinLines(const QString &text);

// Replaces each bracket notation of a practice text ("[AR]", "[ホレ]", ...) by
// the key character that the Morse tables map to that sign, letters compared
// without regard to case.
QString replaceBracketNotations(QString text);

// The memo text as it is sent: lines joined first, so that a notation split
// across two lines is whole, then the notations replaced.
QString prepareSendText(const QString &memoText);

// What was written for each character prepareSendText(memoText) sends, in
// order: a bracket notation as it was written ("[ar]" for its key character),
// any other character as itself. As many entries as the prepared text has
// characters, for an echo that shows the text in the user's own notation.
QStringList writtenCharacters(const QString &memoText);
