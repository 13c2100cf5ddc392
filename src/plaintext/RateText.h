#pragma once

#include <QLocale>
#include <QString>

// The rate meter's text, such as "24.0字/分": characters per minute since
// sending started, with one decimal in the locale's decimal separator.
// startTick and nowTick are readings of a wrapping 32-bit millisecond counter;
// their difference is taken modulo 2^32, so a wrap in between is harmless.
// No time elapsed gives a rate of 0.0 rather than a division by zero.
QString formatRate(int textChars, quint32 startTick, quint32 nowTick, const QLocale &locale);
