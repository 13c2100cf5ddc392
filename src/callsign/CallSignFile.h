#pragma once

#include "CallSignScan.h"

#include <QString>
#include <QStringList>

// Call signs from the operator's own files, for the same drills as the web
// page's list.

// Larger files are refused: a check-partial list of every active contest
// station is about 0.5 MB and a big station's contest log a few MB, while a
// file of hundreds of MB would only freeze the window.
inline constexpr qint64 kMaxCallSignFileBytes = 8 * 1024 * 1024;

// How a text holds its call signs.
enum class CallSignFileFormat {
    // A Cabrillo contest log: the first line that is not blank starts with
    // "START-OF-LOG:". The call signs are the stations worked, one from each
    // "QSO:" line; "X-QSO:" lines (contacts left out of the score) and every
    // other line are skipped.
    Cabrillo,
    // A check-partial list (the MASTER.SCP form): one call sign per line;
    // lines starting with "#" are comments. A text counts as one when every
    // line that is neither blank nor a comment holds a single word.
    CheckPartial,
    // Anything else: every word that passes the call-sign character rule and
    // holds a letter and a digit, so that the words of a note (TODAY, AND) are
    // not taken for call signs.
    PlainText,
};

CallSignFileFormat callSignFileFormatOf(const QString &text);

// The call signs of text read in format, in the order of the text, each kept
// once, with a-z upper-cased and the filter applied as to the web page. A
// word counts when it passes IsCallSign after upper-casing and holds a letter
// or digit (a plain-text word: a letter and a digit); in plain text,
// punctuation around a word (a comma after it, brackets around it) is not part
// of it.
//
// In a Cabrillo "QSO:" line the fields after the time are the own call sign,
// the exchange sent, the call sign worked, the exchange received and perhaps a
// transmitter number; sent and received exchanges have the same number of
// fields, so the call sign worked is the middle one of them whatever the
// contest. Spacing between the fields does not matter. That field counts only
// when it holds a letter and a digit, as every amateur call sign does, so that
// a line cut short gives no signal report as a call sign.
//
// callSignsBeforeFilter, when given, receives how many distinct call signs
// there were before the filter.
QStringList callSignsOfText(const QString &text, CallSignFileFormat format, CallSignFilter filter,
                            qsizetype *callSignsBeforeFilter = nullptr);

struct CallSignFileResult
{
    bool ok = false;
    // Empty unless ok; never empty when ok.
    QStringList callSigns;
    CallSignFileFormat format = CallSignFileFormat::PlainText;
    // The file's name without its folder, for the status bar.
    QString fileName;
    // Why nothing was loaded, for the error box; empty when ok.
    QString error;
};

// Reads a call-sign file: UTF-8 or UTF-16 with a byte-order mark, UTF-8, or
// Shift_JIS, as text files are read. Refused, with a Japanese reason: a file
// that is missing or unreadable, larger than kMaxCallSignFileBytes, empty,
// binary (control characters that no text holds), or without a single call
// sign that passes the filter.
CallSignFileResult loadCallSignFile(const QString &path, CallSignFilter filter);

// Status panel 0 after a file was loaded: "MASTER.SCP : 45123局".
QString callSignFileCountText(const QString &fileName, qsizetype count);
