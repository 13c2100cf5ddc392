#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes Shift_JIS text with the Windows extensions (code page 932), the
// encoding Japanese text files without a byte-order mark were written in.
// Never fails: every byte that does not form a character becomes U+FFFD.
QString decodeCp932(QByteArrayView bytes);
