#include "Cp932.h"

#include <QStringDecoder>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isLeadByte(quint8 b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(quint8 b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

bool isHalfWidthKatakana(quint8 b)
{
    return b >= 0xA1 && b <= 0xDF;
}

bool isControl(quint8 b)
{
    return b < 0x20 || b == 0x7F;
}

} // namespace

// The table itself comes from ICU through QStringDecoder, but ICU's converter
// for this code page is IBM's variant: it swaps the control bytes 1A, 1C and 7F,
// substitutes U+001A for a stray single byte and silently drops a lead byte cut
// off at the end. So the byte structure is parsed here, control bytes and
// malformed bytes are decoded here, and ICU only sees runs of well-formed
// characters, where its one failure is an unassigned double-byte code, which it
// turns into a single U+FFFD.
QString decodeCp932(QByteArrayView bytes)
{
    QStringDecoder table("CP932", QStringConverter::Flag::Stateless);

    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype runEnd) {
        if (runEnd > runStart) {
            const QByteArrayView run = bytes.sliced(runStart, runEnd - runStart);
            if (table.isValid()) {
                text += table.decode(run);
            } else {
                // A Qt built without ICU knows no legacy code page: keep the
                // ASCII bytes and mark every other one as undecodable.
                for (char c : run)
                    text += quint8(c) < 0x80 ? QChar(char16_t(quint8(c))) : QChar(kReplacement);
            }
        }
    };

    qsizetype i = 0;
    while (i < bytes.size()) {
        const quint8 b = quint8(bytes[i]);
        if (isLeadByte(b) && i + 1 < bytes.size() && isTrailByte(quint8(bytes[i + 1]))) {
            i += 2;
        } else if ((b >= 0x20 && b < 0x7F) || isHalfWidthKatakana(b)) {
            ++i;
        } else {
            // A control byte, a byte that is no character, or a lead byte whose
            // trail is missing; the byte after a bad lead byte is looked at afresh.
            flushRun(i);
            text += isControl(b) ? QChar(char16_t(b)) : QChar(kReplacement);
            ++i;
            runStart = i;
        }
    }
    flushRun(i);
    return text;
}
