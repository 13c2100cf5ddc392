#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <span>

// The special-code chart: which key character stands for which prosign or
// two-kana sign in a practice text, with the Morse of a few punctuation marks.
// Drawn by the program itself, black on white.
namespace ChartPicture {

struct Row {
    QString name;     // as shown in the first column
    char16_t key;     // the code unit typed in a practice text
    bool overlined;   // prosigns and two-kana signs are keyed as one sign
};

inline constexpr QSize pictureSize{590, 331};

// Left table first, top to bottom, then the right table.
std::span<const Row> rows();

// Where the Morse of row `index` of rows() is drawn, in picture pixels.
QRect morseCell(int index);

QImage render();

} // namespace ChartPicture
