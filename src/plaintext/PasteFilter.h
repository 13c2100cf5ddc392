#pragma once

#include <QString>

// The clipboard text reduced to what can be sent in Morse: the code units the
// Morse tables cover (ASCII "!" to "z", hiragana, katakana, full-width ０ to ｚ,
// half-width kana and thirteen Japanese punctuation marks), less both kinds of
// space, plus CR and LF so that line breaks survive. Kanji, tabs, other control
// characters and each half of a surrogate pair are dropped. The clipboard text
// counts up to its first NUL.
QString filterPasteText(const QString &clipboard);
