#pragma once

#include <QFont>
#include <QString>

// The three Japanese interface faces the window is laid out in.
enum class UiFace {
    MsGothic,   // "ＭＳ ゴシック": monospaced, for the memo and the ticker
    MeiryoUi,   // "Meiryo UI"
    MsUiGothic, // "MS UI Gothic"
};

// The family actually used for a face: the face itself where it is installed,
// otherwise a Noto CJK substitute. The substitute for the monospaced face is
// Noto Sans Mono CJK JP, whose Latin glyphs are exactly half a kana wide, so a
// ticker of mixed Latin and kana stays in columns.
QString uiFamily(UiFace face);

// pixelHeight is the character height without internal leading, which is what
// QFont's pixel size means too.
QFont uiFont(UiFace face, int pixelHeight, bool bold = false);
