#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Which call signs of the log index a read keeps: DX keeps every one, JA only
// those of Japanese stations.
enum class CallSignFilter { DX, JA };

// Finds sub in the 8-bit text. Positions are 1-based byte positions; 0 means
// not found. With start >= 1 the search begins at byte start + 1 and stops at
// the first zero byte from there on; with start <= 0 the whole text is searched.
// Every byte counts as one character: the page is never read as a double-byte
// code page. An empty sub or nothing left to search gives 0.
int PosFrom(const QByteArray &sub, const QByteArray &text, int start);

// True when every code unit is "/", a digit or a capital letter A-Z. The empty
// text passes.
bool IsCallSign(const QString &text);

// True when the first two characters are one of the 27 Japanese prefixes: JA,
// JD-JS, 7J-7N, 8J-8N. JB and JC are not Japanese; a call sign shorter than two
// characters has no prefix.
bool hasJapanesePrefix(const QString &callSign);

// The call signs of a public-log index page, in page order, duplicates kept.
// Each one is the text between an anchor marker ".log\">" and the next end
// marker "</a>" (both matched byte for byte, case significant), with a-z
// upper-cased; a text that fails IsCallSign is skipped. An anchor marker with
// no end marker after it, or with nothing before its end marker, gives an empty
// call sign, which DX keeps and JA drops. The page is walked once, front to back.
QStringList scanCallSigns(const QByteArray &page, CallSignFilter filter);
