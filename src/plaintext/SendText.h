#pragma once

#include <QString>

// Joins the lines of a practice text. A line break (CR LF, LF or CR, or a run
// of them) between two words becomes one space, so that the words do not run
// together; it is removed where a space is already beside it, next to a
// Japanese character (kana, kanji, Japanese punctuation, full-width and
// half-width forms: text written without spaces), and between a '[' and
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
