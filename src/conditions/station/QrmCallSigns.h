#pragma once

#include <QString>
#include <QStringList>

// The words of a text, upper-cased, that can be a station's call sign: only
// "/", digits and capital letters, the longest part between strokes having a
// digit after its first character and a letter after the digit (which sets a
// call sign apart from words such as CQ, DE, 599 or 5NN). In text order, each
// once.
QStringList callSignsInText(const QString &text);

// count made-up call signs of a few common shapes (JA1ABC, 7K3XY, W1AW, DL2ABC,
// K9XYZ ...), the same for the same seed.
QStringList MadeUpCallSigns(quint32 seed, int count);
