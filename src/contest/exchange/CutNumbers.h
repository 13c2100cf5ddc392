#pragma once

#include <QString>
#include <QStringView>

// How a station shortens the digits of its exchange on the air: 0 as T (or O),
// 9 as N, now and then 1 as A and 5 as E; leading zeros may be left out
// ("05" as "5"). A signal report of 599 always goes as "5NN".
struct CutStyle {
    QChar zero = u'0';          // '0', 'T' or 'O'
    bool nine = false;
    bool one = false;
    bool five = false;
    bool dropLeadingZeros = false;
};

// digits written as the style keys them; characters other than digits pass.
QString cutDigits(QStringView digits, const CutStyle &style);

// The signal report as keyed: "599" as "5NN" whatever the style.
QString cutRst(QStringView rst);

// Undoes every cut: T and O are 0, N is 9, A is 1, E is 5. Empty when text
// holds anything but digits and those letters, or holds no character.
QString uncutDigits(QStringView text);

// The number text stands for once uncut, leading zeros ignored; -1 when it
// is no number.
int uncutNumber(QStringView text);
