#pragma once

#include <QString>
#include <QStringList>

// Japanese call signs and the prefecture or Hokkaido-branch numbers of the
// domestic contests.

// JA-JS, 7J-7N and 8J-8N (a portable designator after "/" does not change it).
bool isJapaneseCall(const QString &callSign);

// The call area: the digit after the first character (JA1ABC and 7K1XYZ are
// area 1); a lone digit after "/" moves the station (JA1ABC/3 is area 3).
// -1 when the call has none.
int jaCallArea(const QString &callSign);

// The numbers a station of that call may send: those of its area (JA1 is
// 10-17, Hokkaido 101-114, ...), Okinawa for JR6 and JS6, Ogasawara for JD1.
// Empty for a call that is not Japanese.
QStringList jaNumbersForCall(const QString &callSign);

// Whether number (leading zeros ignored) is a prefecture or branch number.
bool isJaNumber(int number);

// The power letters: P 5 W or less, L 10 W or less, M 100 W or less, H above.
inline bool isJaPowerLetter(QChar c)
{
    return c == u'P' || c == u'L' || c == u'M' || c == u'H';
}
